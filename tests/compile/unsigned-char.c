#include <input.h>

int main(void) { return 0; }
