#pragma once
// Event closures: an object and one of its methods, called through one
// value. A closure can be tested for "set", copied out (to chain to the
// previous handler), replaced and compared. A plain function or lambda can be
// bound too (object then null), which tests use.
//
// A method closure is three plain fields (object, method pointer bytes and a
// typed caller), so copying one never allocates: every message goes through
// a copy of the control's WindowProc.

#include <cstring>
#include <functional>
#include <memory>
#include <utility>

template <typename... Args>
class TClosure {
public:
    TClosure() = default;
    TClosure(std::nullptr_t) {}

    template <class T, class Base>
    TClosure(T* object, void (Base::*method)(Args...))
        : m_object(static_cast<Base*>(object)), m_invoke(&CallMethod<Base, void (Base::*)(Args...)>)
    {
        static_assert(sizeof method <= sizeof m_method, "method pointer too large");
        std::memcpy(m_method, &method, sizeof method);
    }

    // A free function or lambda; compares equal only to copies of itself.
    static TClosure FromFunction(std::function<void(Args...)> function)
    {
        TClosure closure;
        if (!function)
            return closure;
        closure.m_function = std::make_shared<const std::function<void(Args...)>>(std::move(function));
        closure.m_invoke = &CallFunction;
        closure.m_functionId = NextFunctionId();
        return closure;
    }

    explicit operator bool() const { return m_invoke != nullptr; }
    bool Assigned() const { return m_invoke != nullptr; }

    // Calls when set; an unset closure does nothing.
    void operator()(Args... args) const
    {
        if (m_invoke)
            m_invoke(*this, std::forward<Args>(args)...);
    }

    const void* Object() const { return m_object; }

    bool operator==(const TClosure& other) const
    {
        return m_object == other.m_object && m_functionId == other.m_functionId &&
               std::memcmp(m_method, other.m_method, sizeof m_method) == 0 && Assigned() == other.Assigned();
    }
    bool operator!=(const TClosure& other) const { return !(*this == other); }

private:
    using Invoker = void (*)(const TClosure&, Args...);

    template <class Base, class Method>
    static void CallMethod(const TClosure& self, Args... args)
    {
        Method method;
        std::memcpy(&method, self.m_method, sizeof method);
        (static_cast<Base*>(const_cast<void*>(self.m_object))->*method)(std::forward<Args>(args)...);
    }

    static void CallFunction(const TClosure& self, Args... args) { (*self.m_function)(std::forward<Args>(args)...); }

    static unsigned NextFunctionId()
    {
        static unsigned next = 0;
        return ++next;
    }

    const void* m_object = nullptr;
    unsigned char m_method[16] = {};
    Invoker m_invoke = nullptr;
    unsigned m_functionId = 0;
    // Shared, not copied: copying a bound function only counts a reference.
    std::shared_ptr<const std::function<void(Args...)>> m_function;
};
