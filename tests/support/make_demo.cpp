// Writes the demo karaoke song to the file named on the command line.

#include "tests/support/DemoSong.h"

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output.kar>\n", argv[0]);
        return 2;
    }
    if (!melorit::fixtures::writeFile(argv[1], melorit::fixtures::buildDemoSong())) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[1]);
        return 1;
    }
    return 0;
}
