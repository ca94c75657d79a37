// Objects, components, closures, strings and exceptions of the class library.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/vcl/Classes.h"
#include "platform/vcl/SysUtils.h"

namespace qn {
class TNamespacedThing : public TObject {};
}  // namespace qn

namespace {

class TTracked : public TComponent {
public:
    TTracked(TComponent* owner, std::vector<std::string>* log, std::string name)
        : TComponent(owner), m_log(log), m_name(std::move(name))
    {
    }
    ~TTracked() override { m_log->push_back(m_name + (IsDestroying() ? " destroying" : " not marked")); }

private:
    std::vector<std::string>* m_log;
    std::string m_name;
};

class TColourBox : public TPersistent {
public:
    int colour = 0;

protected:
    void AssignTo(TPersistent* destination) override { As<TColourBox>(destination)->colour = colour; }
};

class TOtherBox : public TPersistent {};

class TListener : public TComponent {
public:
    using TComponent::TComponent;
    TComponent* removed = nullptr;

protected:
    void Notification(TComponent* component, TOperation operation) override
    {
        if (operation == opRemove)
            removed = component;
    }
};

struct Counter {
    int calls = 0;
    std::vector<std::string> order;
    void First(TObject*)
    {
        order.push_back("first");
        ++calls;
    }
    void Second(TObject*)
    {
        order.push_back("second");
        ++calls;
    }
};

}  // namespace

TEST(VclObject, ClassNameIsTheExactClassWithoutNamespaces)
{
    TComponent component(nullptr);
    qn::TNamespacedThing thing;
    EXPECT_EQ(component.ClassName(), "TComponent");
    EXPECT_EQ(thing.ClassName(), "TNamespacedThing");
    TObject* asBase = &thing;
    EXPECT_TRUE(asBase->ClassNameIs("TNamespacedThing"));
}

TEST(VclComponent, OwnerFreesItsComponentsLastFirstAndMarksThemDestroying)
{
    std::vector<std::string> log;
    auto* owner = new TTracked(nullptr, &log, "owner");
    auto* a = new TTracked(owner, &log, "a");
    new TTracked(a, &log, "a.child");
    new TTracked(owner, &log, "b");
    EXPECT_EQ(owner->ComponentCount(), 2);
    owner->Free();
    // The owner's own destructor body runs first; then what it owns, last first.
    EXPECT_EQ(log,
              (std::vector<std::string>{"owner not marked", "b destroying", "a destroying", "a.child destroying"}));
}

TEST(VclComponent, ComponentFreedBeforeItsOwnerLeavesTheOwnersList)
{
    TComponent owner(nullptr);
    auto* child = new TComponent(&owner);
    ASSERT_EQ(owner.ComponentCount(), 1);
    delete child;
    EXPECT_EQ(owner.ComponentCount(), 0);
}

TEST(VclComponent, FreeNotificationTellsTheListener)
{
    TListener listener(nullptr);
    auto* watched = new TComponent(nullptr);
    watched->FreeNotification(&listener);
    delete watched;
    EXPECT_EQ(listener.removed, watched);
}

TEST(VclPersistent, AssignCopiesThroughAssignToAndMismatchRaises)
{
    TColourBox source, target;
    source.colour = 42;
    target.Assign(&source);
    EXPECT_EQ(target.colour, 42);

    TOtherBox other;
    EXPECT_THROW(other.Assign(&source), EInvalidCast);   // source's AssignTo casts the target
    EXPECT_THROW(source.Assign(&other), EConvertError);  // the default AssignTo refuses
    try {
        source.Assign(&other);
    } catch (const EConvertError& error) {
        EXPECT_EQ(error.Message(), "Cannot assign a TOtherBox to a TColourBox");
    }
}

TEST(VclClosure, IsSetCalledReplacedComparedAndChained)
{
    Counter counter;
    TNotifyEvent event;
    EXPECT_FALSE(event);
    event(nullptr);  // unset: nothing happens

    event = TNotifyEvent(&counter, &Counter::First);
    EXPECT_TRUE(event);
    EXPECT_EQ(event.Object(), &counter);
    EXPECT_EQ(event, TNotifyEvent(&counter, &Counter::First));
    EXPECT_NE(event, TNotifyEvent(&counter, &Counter::Second));

    // Chain: keep the previous handler and call it after the new one.
    TNotifyEvent previous = event;
    event = TNotifyEvent::FromFunction([&](TObject* sender) {
        counter.Second(sender);
        previous(sender);
    });
    event(nullptr);
    EXPECT_EQ(counter.order, (std::vector<std::string>{"second", "first"}));
    event = nullptr;
    EXPECT_FALSE(event);
}

TEST(VclStrings, ListEditsTextAndObjects)
{
    TStringList list;
    int changes = 0;
    list.OnChange = TNotifyEvent::FromFunction([&](TObject*) { ++changes; });
    list.Add("beta");
    int x = 5;
    list.AddObject("Alpha", &x);
    list.Insert(0, "zero");
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list[0], "zero");
    EXPECT_EQ(list.IndexOf("ALPHA"), 2);
    EXPECT_EQ(list.GetObject(2), &x);
    EXPECT_EQ(list.IndexOf("missing"), -1);
    EXPECT_EQ(changes, 3);

    list.SetSorted(true);
    EXPECT_EQ(list.Text(), "Alpha\r\nbeta\r\nzero\r\n");
    list.SetText("one\r\ntwo\nthree");
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list[2], "two");  // sorted
    EXPECT_THROW(list.Get(3), EListError);
    EXPECT_THROW(list.Delete(-1), EListError);
}

TEST(VclSysUtils, StrToIntConvertsOrRaises)
{
    struct Case {
        const char* text;
        bool ok;
        int value;
    };
    const Case cases[] = {{"42", true, 42}, {" -7 ", true, -7}, {"$1F", true, 31},        {"0x10", true, 16},
                          {"", false, 0},   {"12a", false, 0},  {"99999999999", false, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        if (c.ok)
            EXPECT_EQ(StrToInt(c.text), c.value);
        else
            EXPECT_THROW(StrToInt(c.text), EConvertError);
    }
    EXPECT_EQ(StrToIntDef("x", 9), 9);
    EXPECT_EQ(IntToStr(-12), "-12");
}

TEST(VclRegistration, RegisterComponentsRecordsPagesAndClasses)
{
    RegisterComponents("TestPage", {"KyOne", "KyTwo"});
    RegisterComponents("TestPage", {"KyTwo", "KyThree"});
    const TRegisteredPage* page = nullptr;
    for (const auto& p : RegisteredComponentPages())
        if (p.page == "TestPage")
            page = &p;
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->classNames, (std::vector<std::string>{"KyOne", "KyTwo", "KyThree"}));
}
