#include "store/UserStore.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

TEST(UserStore, RecordsSurviveReopeningTheFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("users.sqlite"));
    int64_t alice = 0;
    {
        UserStore store(path);
        ASSERT_TRUE(store.IsOpen());
        alice = store.Login(QStringLiteral("alice"))->UserId;
        EXPECT_NE(store.Login(QStringLiteral("bob"))->UserId, alice);
        EXPECT_TRUE(store.AddHandResult(alice, 18, 1800));
        EXPECT_TRUE(store.AddHandResult(alice, -6, -600));
        EXPECT_TRUE(store.AddHandResult(alice, 0, 0));
        EXPECT_TRUE(store.AddEscape(alice));
    }
    UserStore store(path);
    const auto record = store.Login(QStringLiteral("alice"));
    ASSERT_TRUE(record);
    EXPECT_EQ(record->UserId, alice);
    EXPECT_EQ(record->Score, 12);
    EXPECT_EQ(record->Beans, 1200);
    EXPECT_EQ(record->Wins, 1);
    EXPECT_EQ(record->Losses, 1);
    EXPECT_EQ(record->Draws, 1);
    EXPECT_EQ(record->Escapes, 1);
}

TEST(UserStore, UnknownUsersAreNotUpdated) {
    UserStore store(QStringLiteral(":memory:"));
    ASSERT_TRUE(store.IsOpen());
    EXPECT_FALSE(store.AddHandResult(99, 1, 1));
    EXPECT_FALSE(store.AddEscape(99));
    EXPECT_FALSE(store.Find(99));
    const auto created = store.Login(QStringLiteral("明"));
    ASSERT_TRUE(created);
    EXPECT_EQ(store.Find(created->UserId)->NickName, QStringLiteral("明"));
}
