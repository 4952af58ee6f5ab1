/* Stands in for ffmpeg.exe under Wine: appends its arguments, one a line, to
 * the file FFMPEG_LOG names, and where an input is "-" the bytes it read from
 * standard input, in binary, so that the count is what the pipe carried.
 * Makes its last argument, the output, as an empty file. */
#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

int main(int argc, char** argv)
{
    FILE* log = fopen(getenv("FFMPEG_LOG"), "ab");
    FILE* out = fopen(argv[argc - 1], "wb");
    if (!log || !out) return 1;
    for (int i = 1; i < argc; i++) fprintf(log, "%s\n", argv[i]);
    for (int i = 1; i < argc; i++) {
        if (strcmp(argv[i], "-") != 0) continue;
        static char block[1 << 16];
        size_t n, total = 0;
        _setmode(_fileno(stdin), _O_BINARY);
        while ((n = fread(block, 1, sizeof block, stdin)) > 0) total += n;
        fprintf(log, "input %zu bytes\n", total);
    }
    return fclose(log) != 0 || fclose(out) != 0;
}
