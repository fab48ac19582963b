// What the start-up needs of the main window.  The main window itself is adapted by
// StartupWindowOf, so that the start-up can be run against any window in tests.
#pragma once

#include <QString>

class TmySQLDatabase;

namespace zorva {

class StartupWindow {
public:
    virtual ~StartupWindow() = default;
    virtual TmySQLDatabase &connection() = 0;
    virtual void setSortField(const QString &field) = 0;
    virtual void setListFilter(const QString &condition) = 0;
    virtual void reloadList() = 0;
    virtual void setDatabaseOpen(bool open) = 0;
    virtual void setCaption(const QString &caption) = 0;
    virtual void showMainWindow() = 0;
};

// The adapter of a main window class with the usual operations.
template <class Window>
class StartupWindowOf : public StartupWindow {
public:
    explicit StartupWindowOf(Window &w) : m_w(w) {}
    TmySQLDatabase &connection() override { return m_w.mySQLDatabase1(); }
    void setSortField(const QString &field) override { m_w.setSortField(field); }
    void setListFilter(const QString &condition) override { m_w.setListFilter(condition); }
    void reloadList() override { m_w.ReloadList(); }
    void setDatabaseOpen(bool open) override { m_w.setDatabaseOpen(open); }
    void setCaption(const QString &caption) override { m_w.setWindowTitle(caption); }
    void showMainWindow() override { m_w.showMainWindow(); }

private:
    Window &m_w;
};

}  // namespace zorva
