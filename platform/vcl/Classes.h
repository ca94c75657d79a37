#pragma once
// The object, persistent and component bases: class names, copying through
// Assign/AssignTo, and ownership (an owner frees its components).

#include <string>
#include <vector>

#include "platform/vcl/Closure.h"
#include "platform/vcl/Messages.h"
#include "platform/vcl/SysUtils.h"

class TObject;
class TComponent;

using TNotifyEvent = TClosure<TObject*>;

class TObject {
public:
    virtual ~TObject() = default;
    // The exact C++ class name without namespaces ("TMainForm"). Window
    // classes are registered under it and radio groups compare it.
    virtual std::string ClassName() const;
    bool ClassNameIs(const std::string& name) const { return ClassName() == name; }
    // Message handlers of a class: derived classes switch on the message
    // and pass the rest to the base; the end of the chain is DefaultHandler.
    virtual void Dispatch(TMessage& message);
    virtual void DefaultHandler(TMessage& message);
    // Runs once after the most derived constructor (forms fire OnCreate here).
    virtual void AfterConstruction() {}
    // Deletes the object (null-safe through FreeAndNil patterns).
    void Free() { delete this; }
};

// The library's checked cast: raises EInvalidCast on an object of another class.
template <class T>
T* As(TObject* object)
{
    if (!object)
        return nullptr;
    T* result = dynamic_cast<T*>(object);
    if (!result)
        throw EInvalidCast("Invalid class typecast");
    return result;
}

class TPersistent : public TObject {
public:
    // Copies `source` into this object: the source's AssignTo decides.
    virtual void Assign(TPersistent* source);

protected:
    // Raises EConvertError: "Cannot assign a X to a Y".
    virtual void AssignTo(TPersistent* destination);
    void AssignError(TPersistent* source);
};

enum TComponentStateFlag { csLoading = 1, csReading = 2, csWriting = 4, csDestroying = 8, csDesigning = 16 };
using TComponentState = unsigned;
enum TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return m_owner; }
    int ComponentCount() const { return static_cast<int>(m_components.size()); }
    TComponent* Components(int index) const { return m_components.at(index); }
    TComponentState ComponentState() const { return m_state; }
    bool IsDestroying() const { return (m_state & csDestroying) != 0; }

    const std::string& Name() const { return m_name; }
    void SetName(const std::string& name) { m_name = name; }
    int Tag() const { return m_tag; }
    void SetTag(int tag) { m_tag = tag; }

    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);
    // Frees every owned component, last first.
    void DestroyComponents();
    // Marks this component and everything it owns as being destroyed.
    void Destroying();
    // `component` will be told (Notification opRemove) when this one goes.
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);

protected:
    virtual void Notification(TComponent* component, TOperation operation);

private:
    TComponent* m_owner = nullptr;
    std::vector<TComponent*> m_components;
    std::vector<TComponent*> m_freeNotifies;
    TComponentState m_state = 0;
    std::string m_name;
    int m_tag = 0;
};

// Component registration: records the palette page and its classes.
// Nothing streams; the record is what a designer would read.
struct TComponentClassInfo {
    std::string className;
};
struct TRegisteredPage {
    std::string page;
    std::vector<std::string> classNames;
};
void RegisterComponents(const std::string& page, const std::vector<std::string>& classNames);
const std::vector<TRegisteredPage>& RegisteredComponentPages();

// Ordered strings with an object pointer per line.
class TStrings : public TPersistent {
public:
    virtual int Count() const = 0;
    virtual std::string Get(int index) const = 0;
    virtual void Put(int index, const std::string& text);
    virtual void* GetObject(int index) const { return nullptr; }
    virtual void PutObject(int index, void* object) {}
    virtual void Insert(int index, const std::string& text) = 0;
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;

    std::string operator[](int index) const { return Get(index); }
    int Add(const std::string& text);
    int AddObject(const std::string& text, void* object);
    int IndexOf(const std::string& text) const;  // case-insensitive, -1 when absent
    void Move(int from, int to);
    std::string Text() const;               // lines joined with CR LF
    void SetText(const std::string& text);  // split at CR LF, LF or CR
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName) const;
    void BeginUpdate();
    void EndUpdate();
    void Assign(TPersistent* source) override;

protected:
    int UpdateCount() const { return m_updateCount; }
    virtual void SetUpdateState(bool updating) {}

private:
    int m_updateCount = 0;
};

class TStringList : public TStrings {
public:
    int Count() const override { return static_cast<int>(m_items.size()); }
    std::string Get(int index) const override;
    void Put(int index, const std::string& text) override;
    void* GetObject(int index) const override;
    void PutObject(int index, void* object) override;
    void Insert(int index, const std::string& text) override;
    void Delete(int index) override;
    void Clear() override;

    bool Sorted() const { return m_sorted; }
    void SetSorted(bool sorted);
    void Sort();

    TNotifyEvent OnChange;

protected:
    void SetUpdateState(bool updating) override;

private:
    struct Item {
        std::string text;
        void* object;
    };
    void CheckIndex(int index, bool allowEnd) const;
    void Changed();

    std::vector<Item> m_items;
    bool m_sorted = false;
};
