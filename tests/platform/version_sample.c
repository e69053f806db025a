/* A program file that only carries a version resource, for the Windows reader's tests. */
int main(void) {
    return 0;
}
