// Run-time classes, dynamic creation, the order of the common virtual
// operations, and error objects.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "framework.h"

namespace {

class CShape : public CObject {
    DECLARE_DYNAMIC(CShape)
};
IMPLEMENT_DYNAMIC(CShape, CObject)

class CSquare : public CShape {
    DECLARE_DYNCREATE(CSquare)
public:
    int m_side = 4;
};
IMPLEMENT_DYNCREATE(CSquare, CShape)

// A class without run-time information of its own reports its base's.
class CPlain : public CObject {
};

// The slot of a virtual operation in its class's table, from the
// pointer-to-member encoding (1 + byte offset) of the Itanium C++ ABI.
template <class Member>
int VirtualSlot(Member member)
{
    uintptr_t encoded = 0;
    std::memcpy(&encoded, &member, sizeof(encoded));
    EXPECT_EQ(1u, encoded & 1) << "not a virtual operation";
    return static_cast<int>((encoded - 1) / sizeof(void*));
}

class CCountedException : public CException {
public:
    explicit CCountedException(int* destroyed, BOOL autoDelete = TRUE)
        : CException(autoDelete), m_destroyed(destroyed) {}
    ~CCountedException() override { ++*m_destroyed; }
    BOOL GetErrorMessage(LPSTR text, UINT maxChars, PUINT) const override
    {
        lstrcpynA(text, "counted", static_cast<int>(maxChars));
        return TRUE;
    }

private:
    int* m_destroyed;
};

} // namespace

TEST(RuntimeClass, RecordsNameAndBase)
{
    CSquare square;
    EXPECT_STREQ("CSquare", square.GetRuntimeClass()->m_lpszClassName);
    EXPECT_TRUE(square.IsKindOf(RUNTIME_CLASS(CShape)));
    EXPECT_TRUE(square.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(CShape().IsKindOf(RUNTIME_CLASS(CSquare)));
    EXPECT_STREQ("CObject", CPlain().GetRuntimeClass()->m_lpszClassName);
    EXPECT_STREQ("CException", CException().GetRuntimeClass()->m_lpszClassName);
}

TEST(RuntimeClass, CreatesOnlyClassesDeclaredCreatable)
{
    CObject* created = RUNTIME_CLASS(CSquare)->CreateObject();
    ASSERT_NE(nullptr, created);
    EXPECT_TRUE(created->IsKindOf(RUNTIME_CLASS(CSquare)));
    EXPECT_EQ(4, static_cast<CSquare*>(created)->m_side);
    delete created;

    EXPECT_EQ(nullptr, RUNTIME_CLASS(CShape)->CreateObject());
    CObject* strings = RUNTIME_CLASS(CStringArray)->CreateObject();
    ASSERT_NE(nullptr, strings);
    EXPECT_STREQ("CStringArray", strings->GetRuntimeClass()->m_lpszClassName);
    delete strings;
}

TEST(VirtualTable, CommonOperationsComeFirstInFixedOrder)
{
    // Callers in other modules call services through these slots.
    EXPECT_EQ(0, VirtualSlot(&CObject::GetRuntimeClass));
    // Slots 1 and 2 hold the destructor (complete and deleting).
    EXPECT_EQ(3, VirtualSlot(&CObject::Serialize));
    EXPECT_EQ(4, VirtualSlot(&CException::GetErrorMessage));
    EXPECT_EQ(5, VirtualSlot(&CException::ReportError));
    EXPECT_EQ(3, VirtualSlot(&CStringArray::Serialize));
}

TEST(Exception, DeleteFreesOnlyAutoDeleteObjects)
{
    int destroyed = 0;
    CException* onHeap = new CCountedException(&destroyed);
    try {
        throw onHeap;
    } catch (CException* e) {
        char text[32];
        EXPECT_TRUE(e->GetErrorMessage(text, sizeof(text)));
        EXPECT_STREQ("counted", text);
        e->Delete();
    }
    EXPECT_EQ(1, destroyed);

    {
        CCountedException onStack(&destroyed, FALSE);
        onStack.Delete();
        EXPECT_EQ(1, destroyed);
    }
    EXPECT_EQ(2, destroyed);
}

TEST(Exception, BaseHasNoMessage)
{
    CException plain(FALSE);
    char text[8] = "x";
    EXPECT_FALSE(plain.GetErrorMessage(text, sizeof(text)));
    EXPECT_STREQ("", text);
}

TEST(StringArray, KeepsOrderAndChecksIndices)
{
    CStringArray items;
    EXPECT_EQ(0, items.Add("b"));
    EXPECT_EQ(1, items.Add("d"));
    items.InsertAt(0, "a");
    items.InsertAt(2, "c");
    ASSERT_EQ(4, items.GetSize());
    EXPECT_EQ("a", items[0]);
    EXPECT_EQ("c", items.GetAt(2));
    items.RemoveAt(1, 2);
    ASSERT_EQ(2, items.GetSize());
    EXPECT_EQ("d", items[1]);
    EXPECT_THROW(items.GetAt(2), std::out_of_range);
    EXPECT_THROW(items.RemoveAt(1, 2), std::out_of_range);
    items.RemoveAll();
    EXPECT_TRUE(items.IsEmpty());
}
