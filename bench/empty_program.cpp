// The baseline for peak memory: a C++ program that does nothing, built like d88cut.
int main() { return 0; }
