#include <cstdio>

int main() {
    std::puts("torvel-cli: not yet");
    return 0;
}
