/* A C program that does nothing: the cost of starting a program at all. */
int main(void) { return 0; }
