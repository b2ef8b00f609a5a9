// Writes Setup's configuration lines as the peer's script writes them: one FileWrite of the
// line and its CR LF per line, each character the script's syntax gives a meaning to escaped.
#include "install/DefaultConfiguration.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: peer_config <config.nsh>\n");
        return 64;
    }
    std::FILE* out = std::fopen(argv[1], "wb");
    if (!out)
        return 1;
    for (const std::string& line : setup::DefaultConfigurationLines()) {
        std::string quoted;
        for (char c : line) {
            if (c == '$')
                quoted += "$$";
            else if (c == '"')
                quoted += "$\\\"";
            else
                quoted += c;
        }
        std::fprintf(out, "  FileWrite $0 \"%s$\\r$\\n\"\n", quoted.c_str());
    }
    return std::fclose(out) == 0 ? 0 : 1;
}
