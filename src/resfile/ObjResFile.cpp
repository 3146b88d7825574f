#include "resfile/ObjResFile.h"

namespace marquill::resfile {

ObjResFile::ObjResFile()
    : StdResFile(std::vector<ResFileKindEntry>{{ResFileKind::IFF2, ".iff"},
                                               {ResFileKind::IFF2, ".spf"},
                                               {ResFileKind::IFF2, ".stx"},
                                               {ResFileKind::Resolve, ".dir"}}) {}

}  // namespace marquill::resfile
