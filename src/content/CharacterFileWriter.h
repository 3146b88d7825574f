#pragma once
// Writers of character files (".cmx" text, ".bcf" binary), mesh files (".skn", ".bmf") and
// index files (".ndx"), each read back by its reader in src/character/.
#include "character/CharacterFileReader.h"
#include "character/FieldSource.h"
#include "character/IndexFileReader.h"
#include "platform/ByteSink.h"

namespace marquill::content {

// False when the sink failed or a field cannot be written in this form (see FieldSink).
[[nodiscard]] bool writeCharacterFile(const character::CharacterFile& file,
                                      character::FileFormat format, platform::ByteSink& out);
[[nodiscard]] bool writeMesh(const character::DeformableMesh& mesh, character::FileFormat format,
                             platform::ByteSink& out);
[[nodiscard]] bool writeIndexFile(const character::IndexFile& index, platform::ByteSink& out);

}  // namespace marquill::content
