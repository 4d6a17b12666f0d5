#pragma once

#include <QList>
#include <QString>

#include <algorithm>
#include <cstdio>

// Sorted samples and the figures the results table shows.
struct Stats
{
    explicit Stats(QList<double> samples)
        : s(std::move(samples))
    {
        std::sort(s.begin(), s.end());
    }
    double at(double q) const
    {
        if (s.isEmpty())
            return 0;
        const auto i = qsizetype(q * double(s.size() - 1) + 0.5);
        return s[std::clamp<qsizetype>(i, 0, s.size() - 1)];
    }
    double median() const { return at(0.5); }
    double p99() const { return at(0.99); }
    double min() const { return s.isEmpty() ? 0 : s.first(); }
    double max() const { return s.isEmpty() ? 0 : s.last(); }
    QList<double> s;
};

// One row of the results table: figure | median | min | max | extra | goal | met.
inline void row(const char *figure, const Stats &st, const char *unit, const QString &extra, const char *goal,
                bool met)
{
    std::printf("| %s | %.2f %s | %.2f %s | %.2f %s | %s | %s | %s |\n", figure, st.median(), unit, st.min(), unit,
                st.max(), unit, qPrintable(extra), goal, met ? "yes" : "**no**");
    std::fflush(stdout);
}
