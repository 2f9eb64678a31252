#pragma once
// Scopes that put process-wide state back however a test function ends: a
// failed check returns early, and the next test must not inherit a locale or
// an effective user it did not ask for.
#include <QLocale>
#include <unistd.h>

namespace korvel::test {

// The default locale is `locale` for the scope and the earlier one afterwards.
class LocaleScope {
public:
    explicit LocaleScope(const QLocale& locale) { QLocale::setDefault(locale); }
    ~LocaleScope() { QLocale::setDefault(m_previous); }
    LocaleScope(const LocaleScope&) = delete;
    LocaleScope& operator=(const LocaleScope&) = delete;

private:
    QLocale m_previous;
};

// Permissions do not bind the superuser: run as the superuser, the scope acts
// as an ordinary user until restore() or its end. active() says whether the
// scope is in force (always, when the test runs as an ordinary user anyway).
class OrdinaryUserScope {
public:
    OrdinaryUserScope() : m_switched(geteuid() == 0 && seteuid(65534) == 0), m_active(geteuid() != 0) {}
    ~OrdinaryUserScope() { restore(); }
    OrdinaryUserScope(const OrdinaryUserScope&) = delete;
    OrdinaryUserScope& operator=(const OrdinaryUserScope&) = delete;

    bool active() const { return m_active; }
    // Back to the superuser when the scope switched; true when the effective user is the original one.
    bool restore()
    {
        if (m_switched)
            m_switched = seteuid(0) != 0;
        return !m_switched;
    }

private:
    bool m_switched;
    bool m_active;
};

} // namespace korvel::test
