#pragma once
// A pointer to a component that turns null when the component is destroyed.
// Hooks (window procedures, mouse handlers) keep their control through it,
// so undoing a hook never touches a control that is already gone.

#include "platform/vcl/Classes.h"

namespace vessa {

template <class T>
class ComponentWatch : private TComponent {
public:
    ComponentWatch() : TComponent(nullptr) {}
    ~ComponentWatch() override { Set(nullptr); }

    void Set(T* component)
    {
        if (m_component != nullptr)
            RemoveFreeNotification(m_component);
        m_component = component;
        if (m_component != nullptr)
            FreeNotification(m_component);
    }
    T* Get() const { return m_component; }
    operator T*() const { return m_component; }
    T* operator->() const { return m_component; }

private:
    void Notification(TComponent* component, TOperation operation) override
    {
        if (operation == opRemove && component == m_component)
            m_component = nullptr;
    }

    T* m_component = nullptr;
};

}  // namespace vessa
