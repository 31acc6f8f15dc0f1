#include "TestSupport.h"
#include "core/LumoLog.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include <cstdio>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Runs setUpLog() in a child process, which then writes one line to each stream; returns the
// child's exit status (0 when setUpLog reported success).
int runSetUpLogInChild(const char *text)
{
    std::fflush(stdout);
    std::fflush(stderr);
    const pid_t pid = fork();
    if (pid == 0) {
        const bool ok = setUpLog();
        std::fprintf(stderr, "%s on stderr\n", text);
        std::fprintf(stdout, "%s on stdout\n", text);
        LumoLog::setEnabled(true);
        LUMO_LOG("diagnostic %d", 42);
        std::fflush(stdout);
        _exit(ok ? 0 : 1);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(Logging, FirstRunCreatesTheLogAndLaterRunsAppend)
{
    Sandbox sandbox; // a fresh home: not even ~/.local/share exists
    ASSERT_EQ(runSetUpLogInChild("first"), 0);
    ASSERT_EQ(runSetUpLogInChild("second"), 0);
    EXPECT_EQ(logFilePath(), sandbox.path(".local/share/Arvo/Log.txt")) << "in XDG_DATA_HOME";
    const QString log = QString::fromUtf8(readFile(logFilePath()));
    EXPECT_TRUE(log.contains("first on stderr\n"));
    EXPECT_TRUE(log.contains("first on stdout\n"));
    EXPECT_TRUE(log.contains("second on stderr\n"));
    EXPECT_LT(log.indexOf("first on stderr"), log.indexOf("second on stderr"));
    EXPECT_TRUE(log.contains("LoggingTest.cpp:")) << "diagnostics carry their source position";
    EXPECT_TRUE(log.contains("diagnostic 42\n"));
}

TEST(Logging, PlainFileWhereTheFolderBelongsIsLeftAlone)
{
    Sandbox sandbox;
    ASSERT_TRUE(writeFile(applicationSupportFolder(), "mine"));

    EXPECT_EQ(runSetUpLogInChild("lost"), 1);
    EXPECT_TRUE(QFileInfo(applicationSupportFolder()).isFile());
    EXPECT_EQ(readFile(sandbox.path(".local/share/Arvo")), "mine");
}

TEST(Logging, LumoLogIsSilentUnlessEnabled)
{
    ASSERT_FALSE(LumoLog::isEnabled());
    testing::internal::CaptureStderr();
    LUMO_LOG("should not appear %s", "anywhere");
    LumoLog::log(__FILE__, __func__, __LINE__, "nor this");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");

    LumoLog::setEnabled(true);
    testing::internal::CaptureStderr();
    LUMO_LOG("snapshot button");
    const std::string line = testing::internal::GetCapturedStderr();
    LumoLog::setEnabled(false);
    EXPECT_NE(line.find("TestBody: snapshot button\n"), std::string::npos) << line;
    // Each line starts with the local time to the millisecond, then the source position.
    EXPECT_TRUE(
        QString::fromStdString(line).contains(QRegularExpression(R"(^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3} LoggingTest\.cpp:\d+ )")))
        << line;
}

} // namespace
