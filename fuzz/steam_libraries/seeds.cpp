// Seeds: both forms of the library list, with nested app lists, escapes and comments.
#include <fstream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::string dir = argv[1];
    std::ofstream(dir + "/current.vdf")
        << "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t\"/home/p/.local/share/Steam\"\n"
           "\t\t\"label\"\t\t\"\"\n\t\t\"apps\"\n\t\t{\n\t\t\t\"228980\"\t\t\"1234\"\n\t\t}\n\t}\n"
           "\t\"1\"\n\t{\n\t\t\"path\"\t\t\"/mnt/Steam \\\"2\\\"\"\n\t}\n}\n";
    std::ofstream(dir + "/old.vdf")
        << "// old client\n\"LibraryFolders\"\n{\n\t\"TimeNextStatsReport\"\t\t\"1690000000\"\n"
           "\t\"1\"\t\t\"/mnt/games/Steam\"\n\t\"2\" unquoted\\path\n}\n";
    return 0;
}
