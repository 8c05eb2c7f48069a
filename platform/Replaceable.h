// A platform service the core calls through one replaceable implementation: the window, the
// converter and the tests install their own for a while and put the previous one back after.
#pragma once

#include <utility>

namespace lumelle::platform {

// `Service` is the interface (or callable type) that the core calls. Each service defines
// `standard()` once, beside the implementation used while nothing is installed, and declares
// that definition in its header.
template <class Service> class Replaceable
{
public:
    // The installed implementation, else the standard one.
    static Service& current()
    {
        Service* replacement = installed();
        return replacement ? *replacement : standard();
    }

    // Installs `replacement` (not owned); nullptr puts the standard one back. Returns what was
    // installed before (nullptr for the standard one).
    static Service* install(Service* replacement)
    {
        return std::exchange(installed(), replacement);
    }

    // Installs a replacement for the lifetime of this object and then restores the previous one.
    class Scoped
    {
    public:
        explicit Scoped(Service* replacement) : m_previous(install(replacement)) {}
        ~Scoped() { install(m_previous); }
        Scoped(const Scoped&) = delete;
        Scoped& operator=(const Scoped&) = delete;

    private:
        Service* m_previous;
    };

private:
    static Service& standard();
    static Service*& installed()
    {
        static Service* replacement = nullptr;
        return replacement;
    }
};

} // namespace lumelle::platform
