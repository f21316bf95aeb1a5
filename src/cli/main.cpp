#include <cstdio>

// The command-line tool's commands arrive with the demo game writer.
int main()
{
    std::fprintf(stderr, "brackle-cli: no commands yet\n");
    return 2;
}
