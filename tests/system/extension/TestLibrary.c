/* A small plain C library for the tests of external functions and
 * extension packages: reals, strings, both mixed, sixteen arguments, and an
 * init and final function that report on standard output. */
#include <stdio.h>
#include <string.h>

static char text[1024];
static int calls;

double add(double a, double b)
{
    ++calls;
    return a + b;
}

const char* greet(const char* name)
{
    ++calls;
    snprintf(text, sizeof text, "Hello, %s!", name);
    return text;
}

/* A string and a real, giving a string: the text repeated. */
const char* repeat_text(const char* what, double times)
{
    ++calls;
    text[0] = '\0';
    for (int k = 0; k < (int)times && strlen(text) + strlen(what) < sizeof text; ++k)
        strcat(text, what);
    return text;
}

/* A string and a real, giving a real: the byte at an index, as it arrived. */
double byte_at(const char* what, double index)
{
    ++calls;
    size_t at = (size_t)index;
    return at < strlen(what) ? (double)(unsigned char)what[at] : -1;
}

/* Bytes above 127 on the way back. */
const char* accented(void)
{
    return "caf\xE9 \xA9";
}

/* Writes into its argument, which must be the caller's own copy. */
double scribble(char* what)
{
    if (what[0])
        what[0] = '#';
    return (double)strlen(what);
}

double weighted8(double a1, double a2, double a3, double a4, double a5, double a6, double a7, double a8)
{
    return a1 + 2 * a2 + 3 * a3 + 4 * a4 + 5 * a5 + 6 * a6 + 7 * a7 + 8 * a8;
}

double weighted16(double a1, double a2, double a3, double a4, double a5, double a6, double a7, double a8, double a9,
                  double a10, double a11, double a12, double a13, double a14, double a15, double a16)
{
    return a1 + 2 * a2 + 3 * a3 + 4 * a4 + 5 * a5 + 6 * a6 + 7 * a7 + 8 * a8 + 9 * a9 + 10 * a10 + 11 * a11 +
           12 * a12 + 13 * a13 + 14 * a14 + 15 * a15 + 16 * a16;
}

double call_count(void)
{
    return calls;
}

double ext_init(void)
{
    calls = 0;
    printf("library init\n");
    return 0;
}

double ext_final(void)
{
    printf("library final after %d calls\n", calls);
    return 0;
}
