#pragma once

#include <QList>

namespace velmora::bench {

/// Summary figures of a set of timed samples.  An empty set reports 0 for
/// every figure, so a run that produced nothing still prints.
class Stats {
public:
    explicit Stats(QList<double> samples);

    qsizetype count() const { return m_sorted.size(); }
    bool isEmpty() const { return m_sorted.isEmpty(); }
    /// The middle sample; of an even count, the upper of the two middle ones.
    double median() const;
    double min() const;
    double max() const;

private:
    QList<double> m_sorted;
};

} // namespace velmora::bench
