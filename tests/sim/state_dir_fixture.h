// Shared set-up of the tests of a card kept in a state directory: a scratch directory of the
// test's own, and other processes that open the same card.
#pragma once

#include "card_fixture.h"
#include "test_files.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <string>

class StateDirTest : public CardTest {
protected:
    // Only this user may write there, as the card's directory must be.
    static const std::string& directory() { return zyvotest::scratchDirectory(); }

    // The default bench, its card kept in this test's directory, plus `more`.
    void useStateDirectory(const std::string& more = "") {
        useBench("state-dir " + directory() + "\n" + more);
    }

    // Runs `work` in a forked process and gives its exit status (work's result), -1 when it did
    // not exit normally. Load the bench first: the child then opens the card from its files,
    // as the next command would.
    static int inOtherProcess(const std::function<int()>& work) {
        pid_t child = fork();
        if (child == 0) {
            _exit(work());
        }
        int status = 0;
        if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status)) {
            return -1;
        }
        return WEXITSTATUS(status);
    }
};
