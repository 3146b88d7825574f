// Seeds: neighbourhood files with and without a celebrity family.
#include <cstdio>
#include <string>

#include "content/NeighborhoodWriter.h"

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::string dir = argv[1];
    std::string error;
    using marquill::content::FamilySpec;
    bool ok = marquill::content::writeNeighborhoodFile(
                  dir + "/celebrities.iff",
                  {FamilySpec{1, "Newbie", {1, 2}}, FamilySpec{5000, "Celebrities", {3, 4, 5}}},
                  &error) &&
              marquill::content::writeNeighborhoodFile(
                  dir + "/empty.iff", {FamilySpec{5000, "Celebrities", {}}}, &error);
    if (!ok) std::fprintf(stderr, "%s\n", error.c_str());
    return ok ? 0 : 1;
}
