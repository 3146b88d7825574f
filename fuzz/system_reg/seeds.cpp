// Seeds: registries as Wine writes them, the record under either key, escapes of every kind.
#include <fstream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::string dir = argv[1];
    std::ofstream(dir + "/plain.reg")
        << "WINE REGISTRY Version 2\r\n;; All keys relative to \\\\Machine\r\n\r\n"
           "[Software\\\\Kavor\\\\The Pemms] 1700000000\r\n#time=1d9a\r\n"
           "\"PEMMS_DATA\"=\"C:\\\\Program Files\\\\Kavor\\\\The Pemms\"\r\n";
    std::ofstream(dir + "/wow.reg")
        << "[Software\\\\Classes\\\\x] 1\n\"a\"=hex:01,02\n"
           "[Software\\\\Wow6432Node\\\\kavor\\\\the pemms] 2\n"
           "\"pemms_data\"=str(2):\"D:\\\\Games\\\\The \\\"Pemms\\\"\\x00e9\\n\"\n";
    return 0;
}
