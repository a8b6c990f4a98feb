#include "Stats.h"

#include <algorithm>
#include <utility>

namespace velmora::bench {

Stats::Stats(QList<double> samples) : m_sorted(std::move(samples)) {
    std::sort(m_sorted.begin(), m_sorted.end());
}

double Stats::median() const {
    return isEmpty() ? 0 : m_sorted.at(m_sorted.size() / 2);
}

double Stats::min() const {
    return isEmpty() ? 0 : m_sorted.first();
}

double Stats::max() const {
    return isEmpty() ? 0 : m_sorted.last();
}

} // namespace velmora::bench
