#include "resfile/StdResFile.h"

namespace marquill::resfile {

StdResFile::StdResFile()
    : SeqResFile(std::vector<ResFileKindEntry>{{ResFileKind::IFF2, ".iff"},
                                               {ResFileKind::IFF1, ".iff"},
                                               {ResFileKind::Resolve, ".dir"},
                                               {ResFileKind::IFF2, ".wll"},
                                               {ResFileKind::IFF2, ".flr"},
                                               {ResFileKind::IFF2, ".fam"}}) {}

}  // namespace marquill::resfile
