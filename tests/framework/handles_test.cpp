// Owning handle wrappers: each handle is freed exactly once.
#include <gtest/gtest.h>

#include <type_traits>

#include "framework.h"

static_assert(!std::is_copy_constructible<CHandle>::value, "handles must not be copied");
static_assert(!std::is_copy_assignable<CRegKey>::value, "keys must not be copied");

TEST(Handles, MovingTransfersOwnership)
{
    CHandle event(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    ASSERT_TRUE(event);
    const HANDLE raw = event.Get();
    CHandle moved(std::move(event));
    EXPECT_FALSE(event);
    EXPECT_EQ(raw, moved.Get());
    EXPECT_TRUE(SetEvent(moved));
    moved.Reset();
    SetLastError(0xdeadbeef);
    EXPECT_FALSE(SetEvent(raw)) << "the handle should have been closed";
}

TEST(Handles, NamedObjectLivesWhileAWrapperHoldsIt)
{
    const char name[] = "VQXFrameworkTest.Handles";
    {
        CHandle first(CreateMutexA(nullptr, FALSE, name));
        ASSERT_TRUE(first);
        CHandle second(OpenMutexA(SYNCHRONIZE, FALSE, name));
        EXPECT_TRUE(second);
    }
    CHandle reopened(OpenMutexA(SYNCHRONIZE, FALSE, name));
    EXPECT_FALSE(reopened);
}

TEST(RegKey, StoresAndReadsValues)
{
    const char path[] = "Software\\VQXFrameworkTest";
    {
        CRegKey key;
        ASSERT_EQ(ERROR_SUCCESS, key.Create(HKEY_CURRENT_USER, path));
        EXPECT_EQ(ERROR_SUCCESS, key.SetDWORD("Number", 0x12345678));
        EXPECT_EQ(ERROR_SUCCESS, key.SetString("Text", "hello"));
    }
    CRegKey key;
    ASSERT_EQ(ERROR_SUCCESS, key.Open(HKEY_CURRENT_USER, path));
    DWORD number = 0;
    EXPECT_EQ(ERROR_SUCCESS, key.QueryDWORD("Number", number));
    EXPECT_EQ(0x12345678u, number);
    std::string text;
    EXPECT_EQ(ERROR_SUCCESS, key.QueryString("Text", text));
    EXPECT_EQ("hello", text);
    EXPECT_NE(ERROR_SUCCESS, key.QueryDWORD("Text", number)) << "a string is not a number";
    EXPECT_NE(ERROR_SUCCESS, key.QueryString("Missing", text));
    key.Close();
    RegDeleteKeyA(HKEY_CURRENT_USER, path);
}
