/* The floor for birthspan's work: the same input read with plain reads, parsed in one tight loop,
   the earliest and latest found, two lines written. No checks, no rules of the runtime: a
   reference for the benchmark, not a program of ours. */
#include <unistd.h>

static const int before[13] = {0, 0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};

static int number(const char** p)
{
    while (**p == ' ' || **p == '\t' || **p == '\r' || **p == '\n') ++*p;
    int v = 0;
    while (**p >= '0' && **p <= '9') v = v * 10 + (*(*p)++ - '0');
    return v;
}

static char* put(char* o, int v)
{
    char d[12];
    int n = 0;
    do d[n++] = (char)('0' + v % 10); while ((v /= 10) != 0);
    while (n) *o++ = d[--n];
    return o;
}

int main(void)
{
    static char in[4096];
    int have = 0, got;
    write(1, "N=", 2);
    while ((got = (int)read(0, in + have, sizeof in - 1 - (size_t)have)) > 0) have += got;
    const char* p = in;
    int n = number(&p), min = 0, max = 0, minv = 0, maxv = 0;
    for (int i = 0; i < n; ++i) {
        int m = number(&p), d = number(&p), day = before[m % 13] + d;
        if (i == 0 || day < minv) minv = day, min = i + 1;
        if (i == 0 || day > maxv) maxv = day, max = i + 1;
    }
    char out[64], *o = out;
    for (const char* t = "emberek: "; *t; ++t) *o++ = *t;
    o = put(o, min);
    *o++ = ' ';
    o = put(o, max);
    *o++ = '\r', *o++ = '\n';
    write(1, out, (size_t)(o - out));
    o = out;
    for (const char* t = "k\x81l\x94nbs\x82g: "; *t; ++t) *o++ = *t;
    o = put(o, maxv - minv);
    for (const char* t = " nap\r\n"; *t; ++t) *o++ = *t;
    write(1, out, (size_t)(o - out));
    return 0;
}
