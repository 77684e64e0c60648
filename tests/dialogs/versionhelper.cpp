// A program that does nothing; the tests read its version stamp (or its lack of one).
int main() {
    return 0;
}
