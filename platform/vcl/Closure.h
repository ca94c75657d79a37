#pragma once
// Event closures: an object and one of its methods, called through one
// value. A closure can be tested for "set", copied out (to chain to the
// previous handler), replaced and compared. A plain function or lambda can be
// bound too (object then null), which tests use.

#include <cstring>
#include <functional>
#include <utility>



template <typename... Args>
class TClosure {
public:
    TClosure() = default;
    TClosure(std::nullptr_t) {}

    template <class T, class Base>
    TClosure(T* object, void (Base::*method)(Args...))
        : m_object(static_cast<Base*>(object)),
          m_call([object, method](Args... args) { (static_cast<Base*>(object)->*method)(args...); })
    {
        static_assert(sizeof method <= sizeof m_method, "method pointer too large");
        std::memcpy(m_method, &method, sizeof method);
    }

    // A free function or lambda; compares equal only to copies of itself.
    static TClosure FromFunction(std::function<void(Args...)> function)
    {
        TClosure closure;
        closure.m_call = std::move(function);
        closure.m_functionId = NextFunctionId();
        return closure;
    }

    explicit operator bool() const { return static_cast<bool>(m_call); }
    bool Assigned() const { return static_cast<bool>(m_call); }

    // Calls when set; an unset closure does nothing.
    void operator()(Args... args) const
    {
        if (m_call)
            m_call(args...);
    }

    const void* Object() const { return m_object; }

    bool operator==(const TClosure& other) const
    {
        return m_object == other.m_object && m_functionId == other.m_functionId &&
               std::memcmp(m_method, other.m_method, sizeof m_method) == 0 &&
               static_cast<bool>(m_call) == static_cast<bool>(other.m_call);
    }
    bool operator!=(const TClosure& other) const { return !(*this == other); }

private:
    static unsigned NextFunctionId()
    {
        static unsigned next = 0;
        return ++next;
    }

    const void* m_object = nullptr;
    unsigned char m_method[16] = {};
    unsigned m_functionId = 0;
    std::function<void(Args...)> m_call;
};


