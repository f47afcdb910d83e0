// Time to extract every field of a text of N fields, for N = 10,000 and 100,000. With the
// position hint the walk is linear, so the ratio stays near 10.
#include "support/DynamicArray.h"
#include "support/Marks.h"

#include <QElapsedTimer>
#include <cstdio>

static double WalkMs(int n)
{
    QString text;
    for (int i = 1; i <= n; ++i) {
        if (i > 1)
            text += Marks::AttributeMark();
        text += QStringLiteral("field %1").arg(i);
    }
    DynamicArray a(text, DynamicArray::ProjectDelimiters());
    QElapsedTimer t;
    t.start();
    qsizetype total = 0;
    for (int i = 1; i <= n; ++i)
        total += a.Extract({i}).size();
    const double ms = t.nsecsElapsed() / 1e6;
    if (total == 0)
        std::printf("unexpected empty walk\n");
    return ms;
}

int main()
{
    WalkMs(1000); // warm up
    const double small = WalkMs(10000);
    const double large = WalkMs(100000);
    std::printf("extract every field, 10,000 fields:  %.2f ms\n", small);
    std::printf("extract every field, 100,000 fields: %.2f ms\n", large);
    std::printf("ratio: %.1f (linear is 10)\n", large / small);
    return 0;
}
