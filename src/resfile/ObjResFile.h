#pragma once
// The object chain: ".iff", ".spf", ".stx" as version 2, and ".dir".
#include "resfile/StdResFile.h"

namespace marquill::resfile {

class ObjResFile : public StdResFile {
  public:
    ObjResFile();
};

}  // namespace marquill::resfile
