#pragma once
// The standard chain: ".iff" as version 2 and as version 1.0, ".dir", ".wll", ".flr", ".fam".
#include "resfile/SeqResFile.h"

namespace marquill::resfile {

class StdResFile : public SeqResFile {
  public:
    StdResFile();

  protected:
    explicit StdResFile(std::vector<ResFileKindEntry> table) : SeqResFile(std::move(table)) {}
};

}  // namespace marquill::resfile
