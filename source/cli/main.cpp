#include <cstdio>
#include <cstring>

// The command-line companion. Subcommands arrive with the notebook.
int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--version") == 0) {
        std::puts("kelvo-cli 0.1.0");
        return 0;
    }
    std::fputs("usage: kelvo-cli --help | --version\n",
               argc > 1 && std::strcmp(argv[1], "--help") == 0 ? stdout : stderr);
    return argc > 1 && std::strcmp(argv[1], "--help") == 0 ? 0 : 64;
}
