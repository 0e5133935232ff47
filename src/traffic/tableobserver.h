#pragma once
// Tables announce their changes in pairs (about to / done) so that item models can forward them as
// they stand. Positions are 0-based rows of the table in its table order.

#include <functional>
#include <vector>

namespace corvane {

class TableObserver {
public:
    virtual ~TableObserver() = default;
    virtual void rowsAboutToBeInserted(int /*first*/, int /*last*/) {}
    virtual void rowsInserted(int /*first*/, int /*last*/) {}
    virtual void rowsAboutToBeRemoved(int /*first*/, int /*last*/) {}
    virtual void rowsRemoved(int /*first*/, int /*last*/) {}
    virtual void cellChanged(int /*row*/, int /*column*/) {}
    // Everything may have changed: a clear, a sort or the end of a bulk load.
    virtual void aboutToReset() {}
    virtual void wasReset() {}
};

// The observers of one table; a table notifies them in the order they were added.
class ObserverList {
public:
    void add(TableObserver* observer);
    void remove(TableObserver* observer);
    template <typename F> void notify(F f) const {
        if (m_silent == 0)
            for (TableObserver* o : m_observers) f(*o);
    }
    // While silent (a bulk load), nothing is announced; the load ends with a reset.
    void beginSilence() { ++m_silent; }
    bool endSilence() { return --m_silent == 0; }

private:
    std::vector<TableObserver*> m_observers;
    int m_silent = 0;
};

// Calls a function whenever a table has been reset (emptied, sorted or bulk loaded), for holders of
// row positions that a reset makes meaningless. Unregisters itself when destroyed.
class ResetWatcher final : private TableObserver {
public:
    ResetWatcher(ObserverList& observers, std::function<void()> onReset)
        : m_observers(observers)
        , m_onReset(std::move(onReset)) {
        m_observers.add(this);
    }
    ~ResetWatcher() override { m_observers.remove(this); }
    ResetWatcher(const ResetWatcher&) = delete;
    ResetWatcher& operator=(const ResetWatcher&) = delete;

private:
    void wasReset() override { m_onReset(); }

    ObserverList& m_observers;
    std::function<void()> m_onReset;
};

} // namespace corvane
