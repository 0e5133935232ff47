#include "traffic/tableobserver.h"

#include <algorithm>

namespace corvane {

void ObserverList::add(TableObserver* observer) {
    if (std::find(m_observers.begin(), m_observers.end(), observer) == m_observers.end())
        m_observers.push_back(observer);
}

void ObserverList::remove(TableObserver* observer) {
    m_observers.erase(std::remove(m_observers.begin(), m_observers.end(), observer), m_observers.end());
}

} // namespace corvane
