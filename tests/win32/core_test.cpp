// The object model without windows: ownership, free notification, properties by name and the
// form-file reader, on small component classes of the test's own.
#include <gtest/gtest.h>

#include "classes.h"
#include "formfile.h"

namespace {

enum TShape { shCircle, shSquare, shTriangle };
const TEnumInfo ShapeInfo{"TShape", {"shCircle", "shSquare", "shTriangle"}};
enum TMark { mkRed, mkGreen, mkBlue };
const TEnumInfo MarkInfo{"TMark", {"mkRed", "mkGreen", "mkBlue"}};
using TMarks = TSet<TMark>;

class TThing;

class TPart : public TCollectionItem {
    TK_CLASS(TPart, TCollectionItem)
public:
    using TCollectionItem::TCollectionItem;
    int Width = 0;
};

class TThing : public TComponent {
    TK_CLASS(TThing, TComponent)
public:
    explicit TThing(TComponent* owner) : TComponent(owner), Parts([](TCollection* c) -> TCollectionItem* { return new TPart(c); }) {}
    ~TThing() override { ++*Alive; }  // counts deaths when a counter is set
    int Count = 0;
    bool Flag = false;
    String Caption;
    TColor Color = 0;
    TShape Shape = shCircle;
    TMarks Marks;
    TStringList Items;
    TCollection Parts;
    TThing* Buddy = nullptr;
    TNotifyEvent OnPing;
    std::vector<String> Log;
    int Dummy = 0;
    int* Alive = &Dummy;

    TThing* GetBuddy() const { return Buddy; }
    void SetBuddy(TThing* b)
    {
        Buddy = b;
        if (b)
            b->FreeNotification(this);
    }
    TStringList* GetItems() const { return const_cast<TStringList*>(&Items); }
    TCollection* GetParts() const { return const_cast<TCollection*>(&Parts); }
    void Loaded() override
    {
        TComponent::Loaded();
        Log.push_back("loaded");
    }
    void SetParentComponent(TComponent* p) override { Log.push_back("parent " + p->Name()); }

protected:
    void Notification(TComponent* c, TOperation op) override
    {
        TComponent::Notification(c, op);
        if (op == opRemove && c == Buddy)
            Buddy = nullptr;
    }
};

// A root whose handlers form files bind by name.
class TRoot : public TThing {
    TK_CLASS(TRoot, TThing)
public:
    using TThing::TThing;
    int Pings = 0;
    TObject* LastSender = nullptr;
    TK_HANDLER(ThingPing, TObject* sender)
    {
        ++Pings;
        LastSender = sender;
    }
    TK_HANDLER(WrongShape, TObject*, int&) {}
};

}  // namespace

const TClassInfo& TPart::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TPart>("TPart", &TCollectionItem::StaticClass()).Prop("Width", &TPart::Width).Build();
    return info;
}

const TClassInfo& TThing::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TThing>("TThing", &TComponent::StaticClass())
                                       .Creatable()
                                       .Prop("Count", &TThing::Count)
                                       .Prop("Flag", &TThing::Flag)
                                       .Prop("Caption", &TThing::Caption)
                                       .ColorProp("Color", &TThing::Color, &TThing::Color)
                                       .EnumProp("Shape", ShapeInfo, &TThing::Shape)
                                       .SetProp("Marks", MarkInfo, &TThing::Marks)
                                       .ObjectProp("Items", &TThing::GetItems)
                                       .ObjectProp("Parts", &TThing::GetParts)
                                       .ComponentProp("Buddy", &TThing::GetBuddy, &TThing::SetBuddy)
                                       .Event("OnPing", &TThing::OnPing)
                                       .Build();
    return info;
}

const TClassInfo& TRoot::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TRoot>("TRoot", &TThing::StaticClass())
                                       .Creatable()
                                       .Build();
    return info;
}

namespace {

struct CoreTest : ::testing::Test {
    static void SetUpTestSuite()
    {
        RegisterClasses({&TThing::StaticClass(), &TRoot::StaticClass()});
        RegisterIdentConst("clTestBlue", 0xFF0000);
    }
};

TEST_F(CoreTest, OwnerFreesOwnedComponentsAndNamesAreUniqueIgnoringCase)
{
    int deaths = 0;
    auto* root = new TThing(nullptr);
    auto* a = new TThing(root);
    auto* b = new TThing(root);
    a->Alive = &deaths;
    b->Alive = &deaths;
    a->SetName("Alpha");
    EXPECT_THROW(b->SetName("ALPHA"), EComponentError);
    EXPECT_THROW(b->SetName("1bad"), EComponentError);
    b->SetName("Beta");
    EXPECT_EQ(root->FindComponent("alpha"), a);
    EXPECT_EQ(root->ComponentCount(), 2);
    a->Free();
    EXPECT_EQ(deaths, 1);
    EXPECT_EQ(root->ComponentCount(), 1);
    root->Free();
    EXPECT_EQ(deaths, 2);
}

TEST_F(CoreTest, FreeNotificationReachesComponentsOfOtherOwners)
{
    auto* ownerA = new TThing(nullptr);
    auto* ownerB = new TThing(nullptr);
    auto* watcher = new TThing(ownerA);
    auto* target = new TThing(ownerB);
    watcher->SetBuddy(target);
    target->Free();
    EXPECT_EQ(watcher->Buddy, nullptr);
    ownerA->Free();
    ownerB->Free();
}

TEST_F(CoreTest, PropertiesByNameIgnoreCaseAndReadEnumsAsLowerCaseText)
{
    TThing t(nullptr);
    SetPropText(&t, "count", "42");
    SetPropText(&t, "FLAG", "True");
    SetPropText(&t, "Shape", "SHSQUARE");
    SetPropText(&t, "Marks", "[mkRed, mkBlue]");
    SetPropValue(&t, "Caption", TValue::OfString("hello"));
    EXPECT_EQ(t.Count, 42);
    EXPECT_TRUE(t.Flag);
    EXPECT_EQ(t.Shape, shSquare);
    EXPECT_TRUE(t.Marks.Contains(mkRed) && t.Marks.Contains(mkBlue) && !t.Marks.Contains(mkGreen));
    EXPECT_EQ(GetPropText(&t, "shape"), "shsquare");
    EXPECT_EQ(GetPropText(&t, "flag"), "true");
    EXPECT_EQ(GetPropText(&t, "marks"), "[mkred,mkblue]");
    EXPECT_EQ(GetPropValue(&t, "Caption").Str, "hello");
    EXPECT_TRUE(HasProp(&t, "Name"));  // inherited through the chain
    EXPECT_FALSE(HasProp(&t, "Nope"));
    EXPECT_THROW(SetPropText(&t, "Nope", "1"), EPropertyError);
    EXPECT_THROW(SetPropText(&t, "Shape", "shHexagon"), EPropertyError);
    EXPECT_THROW(SetPropText(&t, "Count", "12x"), EPropertyError);
}

TEST_F(CoreTest, SystemColoursAreNegativeAndHexWraps)
{
    TThing t(nullptr);
    SetPropText(&t, "Color", "$FF00000F");
    EXPECT_EQ(t.Color, static_cast<TColor>(0xFF00000F));
    EXPECT_LT(t.Color, 0);
    SetPropText(&t, "Color", "0x00FF00");
    EXPECT_EQ(t.Color, 0x00FF00);
}

TEST_F(CoreTest, BoundMethodsCompareByObjectAndFunction)
{
    TRoot r1(nullptr), r2(nullptr);
    TNotifyEvent a(&r1, &TRoot::ThingPing), b(&r1, &TRoot::ThingPing), c(&r2, &TRoot::ThingPing);
    EXPECT_TRUE(a == b);
    EXPECT_FALSE(a == c);
    a(&r2);
    EXPECT_EQ(r1.Pings, 1);
    EXPECT_EQ(r1.LastSender, &r2);
    TNotifyEvent none;
    EXPECT_FALSE(static_cast<bool>(none));
    Fire(none, &r1);  // does nothing
}

const char* kForm = R"(object Root1: TRoot
  Caption = 'A'#160'l'#160'a r m '
  Count = -7
  Color = clTestBlue
  Shape = shTriangle
  Marks = [mkGreen]
  Items.Strings = (
    'one'
    'two' + 'three')
  Parts = <
    item
      Width = 200
    end
    item
      Width = 50
    end>
  object Child1: TThing
    Flag = True
    OnPing = ThingPing
    Buddy = Child2
    object Grand1: TThing
    end
  end
  object Child2: TThing
  end
end
)";

TEST_F(CoreTest, FormFileStreamsNestedObjectsEventsReferencesAndCollections)
{
    auto* root = new TRoot(nullptr);
    ReadFormInto(root, kForm, "root.form");
    EXPECT_EQ(root->Name(), "Root1");
    EXPECT_EQ(root->Caption, "A\xA0l\xA0" "a r m ");
    EXPECT_EQ(root->Count, -7);
    EXPECT_EQ(root->Color, 0xFF0000);
    EXPECT_EQ(root->Shape, shTriangle);
    ASSERT_EQ(root->Items.Count(), 2);
    EXPECT_EQ(root->Items[1], "twothree");
    ASSERT_EQ(root->Parts.Count(), 2);
    EXPECT_EQ(static_cast<TPart*>(root->Parts.Items(0))->Width, 200);

    auto* child = static_cast<TThing*>(root->FindComponent("Child1"));
    auto* grand = static_cast<TThing*>(root->FindComponent("Grand1"));
    ASSERT_TRUE(child && grand);
    EXPECT_EQ(grand->Owner(), root);  // every component of a form file belongs to the root
    ASSERT_EQ(grand->Log.size(), 2u);
    EXPECT_EQ(grand->Log[0], "parent Child1");
    EXPECT_EQ(grand->Log[1], "loaded");
    EXPECT_EQ(child->Buddy, root->FindComponent("Child2"));
    child->OnPing(child);
    EXPECT_EQ(root->Pings, 1);
    EXPECT_EQ(root->LastSender, child);
    EXPECT_EQ(root->Log.back(), "loaded");
    root->Free();
}

TEST_F(CoreTest, CrossFormReferenceWaitsForTheOtherForm)
{
    static TRoot* first = nullptr;
    SetFindGlobalComponent([](std::string_view name) -> TComponent* {
        return first && SameText(first->Name(), name) ? first : nullptr;
    });
    auto* second = new TRoot(nullptr);
    ReadFormInto(second, "object Second: TRoot\n object W: TThing\n Buddy = First.Target\n end\nend\n", "second.form");
    auto* w = static_cast<TThing*>(second->FindComponent("W"));
    EXPECT_EQ(w->Buddy, nullptr);  // the first form isn't loaded yet
    first = new TRoot(nullptr);
    ReadFormInto(first, "object First: TRoot\n object Target: TThing\n end\nend\n", "first.form");
    EXPECT_EQ(w->Buddy, first->FindComponent("Target"));
    first->Free();
    EXPECT_EQ(w->Buddy, nullptr);  // freed target is forgotten
    first = nullptr;
    second->Free();
    SetFindGlobalComponent(nullptr);
}

struct BadForm {
    const char* Text;
    const char* Expect;  // part of the message
};

TEST_F(CoreTest, MalformedFormFilesNameFileLineAndWord)
{
    const BadForm cases[] = {
        {"object R: TRoot\n  object X: TNoSuchClass\n  end\nend\n", "bad.form(2): Class not found 'TNoSuchClass'"},
        {"object R: TRoot\n  Colour = 5\nend\n", "bad.form(2): Property does not exist 'Colour'"},
        {"object R: TRoot\n  OnPing = NoHandler\nend\n", "bad.form(2): Handler not found 'NoHandler'"},
        {"object R: TRoot\n  Shape = shBlob\nend\n", "bad.form(2): Error reading Shape"},
        {"object R: TRoot\n  Count = 'ten'\nend\n", "bad.form(2): Invalid property value for Count"},
        {"object R: TRoot\n  Caption = 'open\nend\n", "bad.form(2): Unterminated string"},
        {"object R: TRoot\n  Count 5\nend\n", "bad.form(2): '=' expected but found '5'"},
        {"object R: TRoot\n  Count = 5\n", "bad.form(3): Property name expected but found 'end of file'"},
        {"object R: TRoot\n  Caption = #999\nend\n", "bad.form(2): Invalid character code '#999'"},
        {"object R: TRoot\n  object A: TThing\n  end\n  object A: TThing\n  end\nend\n", "bad.form(4)"},
        {"object R: TRoot\n  OnPing = WrongShape\nend\n", "bad.form(2): Error reading OnPing: Handler does not fit event"},
        {"object R: TRoot\n  object A: TThing\n    Buddy = Nobody\n  end\nend\n", "bad.form(3): Component not found 'Nobody'"},
        {"object R: TThing\nend\n", "bad.form(1): Form file describes another class"},
    };
    for (const BadForm& c : cases) {
        auto* root = new TRoot(nullptr);
        try {
            ReadFormInto(root, c.Text, "bad.form");
            ADD_FAILURE() << "no error for: " << c.Text;
        } catch (const EReadError& e) {
            EXPECT_NE(e.Message().find(c.Expect), String::npos) << e.Message() << "\nexpected: " << c.Expect;
        }
        root->Free();  // whatever was created is freed with the root
    }
}

TEST_F(CoreTest, CheckingAFormFileFindsFaultsWithoutCreatingAnything)
{
    EXPECT_NO_THROW(CheckFormText(kForm, "root.form"));
    EXPECT_THROW(CheckFormText("object R: TRoot\n  Flag = maybe\nend\n", "c.form"), EReadError);
    EXPECT_THROW(CheckFormText("object R: TRoot\n  Items.Nope = 1\nend\n", "c.form"), EReadError);
    EXPECT_THROW(CheckFormText("object R: TUnknownForm\nend\n", "c.form"), EReadError);
}

TEST_F(CoreTest, StringListTextAndMemoryStream)
{
    TStringList l;
    l.SetText("a\r\nb\nc\r\n");
    ASSERT_EQ(l.Count(), 3);
    EXPECT_EQ(l.Text(), "a\r\nb\r\nc\r\n");
    EXPECT_EQ(l.IndexOf("B"), 1);
    EXPECT_THROW(l.Get(3), EListError);

    TMemoryStream m;
    m.WriteBuffer("hello", 5);
    m.SetPosition(0);
    char buf[8] = {};
    m.ReadBuffer(buf, 5);
    EXPECT_STREQ(buf, "hello");
    EXPECT_THROW(m.ReadBuffer(buf, 1), EReadError);
    EXPECT_THROW(m.LoadFromFile("Z:\\no\\such\\file.bin"), EFOpenError);
}

TEST(DateTime, FormatsDecodesAndParsesTimes)
{
    TDateTime t = EncodeDate(2026, 12, 8) + EncodeTime(13, 5, 9, 250);
    EXPECT_EQ(FormatDateTime("hh:mm:ss", t), "13:05:09");
    EXPECT_EQ(FormatDateTime("HH:mm:ss", t), "13:05:09");
    EXPECT_EQ(FormatDateTime("hh", t), "13");
    EXPECT_EQ(FormatDateTime("hh:mm", t), "13:05");
    EXPECT_EQ(FormatDateTime("mm:ss", t), "05:09");  // minutes before seconds
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd", t), "2026-12-08");
    EXPECT_EQ(FormatDateTime("h:nn am/pm", t), "1:05 pm");
    TTimeParts p = DecodeTime(t);
    EXPECT_EQ(p.Hour, 13);
    EXPECT_EQ(p.Min, 5);
    EXPECT_EQ(p.Sec, 9);
    EXPECT_EQ(p.MSec, 250);
    TDateParts d = DecodeDate(t);
    EXPECT_EQ(d.Year, 2026);
    EXPECT_EQ(d.Month, 12);
    EXPECT_EQ(d.Day, 8);
    EXPECT_EQ(DecodeTime(EncodeTime(23, 59, 59, 999)).Sec, 59);
    EXPECT_DOUBLE_EQ(StrToTime("07:30:15"), EncodeTime(7, 30, 15, 0));
    EXPECT_THROW(StrToTime("25:00:00"), EConvertError);
    EXPECT_THROW(StrToTime("ab:cd"), EConvertError);
}

TEST(DateTime, ReplaceableClock)
{
    auto old = SetNowFunc([] { return EncodeDate(2026, 1, 2) + EncodeTime(11, 59, 0, 0); });
    EXPECT_EQ(FormatDateTime("hh:mm:ss", Now()), "11:59:00");
    SetNowFunc(old);
    EXPECT_GT(Now(), EncodeDate(2020, 1, 1));
}

}  // namespace
