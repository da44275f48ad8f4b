// orbisk-tool: the core on the command line, for definition authors and
// server developers.
#include "codec_commands.h"

#include <iostream>
#include <string>

namespace {

constexpr const char* kUsage = R"(usage: orbisk-tool COMMAND

Commands:
  encode     compress and letter-encode standard input to standard output
  decode     decode letter-encoded standard input to standard output
  --help     show this text
)";

} // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "--help" || command == "-h" || command == "help") {
        std::cout << kUsage;
        return 0;
    }
    if (argc == 2 && command == "encode")
        return orbisk::tool::RunEncode(std::cin, std::cout, std::cerr);
    if (argc == 2 && command == "decode")
        return orbisk::tool::RunDecode(std::cin, std::cout, std::cerr);
    std::cerr << kUsage;
    return 2;
}
