// What the executable's bookkeeping of handled exceptions must keep: handlers within handlers,
// rethrowing, the count of exceptions in flight, each thread's own, and the system's last error.

#include <gtest/gtest.h>
#include <windows.h>

#include <exception>
#include <stdexcept>
#include <string>
#include <thread>

namespace {

constexpr DWORD kMeetingTimeoutMs = 10000;

struct InFlightCounter {
    int* seen;
    ~InFlightCounter() { *seen = std::uncaught_exceptions(); }
};

}  // namespace

TEST(ExceptionBookkeeping, HandlersWithinHandlersRethrowTheirOwnException) {
    std::string order;
    try {
        try {
            throw std::runtime_error("outer");
        } catch (const std::runtime_error& outer) {
            try {
                throw std::logic_error("inner");
            } catch (const std::logic_error& inner) {
                order += inner.what();
            }
            EXPECT_EQ(std::string(outer.what()), "outer");
            throw;
        }
    } catch (const std::runtime_error& rethrown) {
        order += std::string(" ") + rethrown.what();
    }
    EXPECT_EQ(order, "inner outer");
    EXPECT_EQ(std::current_exception(), nullptr) << "nothing is being handled any more";
}

TEST(ExceptionBookkeeping, CountsTheExceptionsInFlightAndKeepsOneForLater) {
    int seen = -1;
    std::exception_ptr kept;
    try {
        InFlightCounter counter{&seen};
        throw std::runtime_error("kept");
    } catch (...) {
        kept = std::current_exception();
    }
    EXPECT_EQ(seen, 1) << "during the unwinding";
    EXPECT_EQ(std::uncaught_exceptions(), 0);
    ASSERT_NE(kept, nullptr);
    EXPECT_THROW(std::rethrow_exception(kept), std::runtime_error);
}

TEST(ExceptionBookkeeping, AHandlerStillSeesTheLastErrorOfTheFailedCall) {
    try {
        SetLastError(ERROR_ACCESS_DENIED);
        throw std::runtime_error("refused");
    } catch (const std::runtime_error&) {
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    }
}

// Two threads each inside a handler at the same moment: each rethrows its own exception.
TEST(ExceptionBookkeeping, EachThreadHandlesItsOwnExceptions) {
    HANDLE inHandler[2] = {CreateEventW(nullptr, TRUE, FALSE, nullptr),
                           CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    ASSERT_NE(inHandler[0], nullptr);
    ASSERT_NE(inHandler[1], nullptr);
    std::string rethrown[2];
    bool met[2] = {false, false};
    auto work = [&](int self) {
        try {
            try {
                throw std::runtime_error(self == 0 ? "first" : "second");
            } catch (const std::runtime_error&) {
                SetEvent(inHandler[self]);
                met[self] =
                    WaitForSingleObject(inHandler[1 - self], kMeetingTimeoutMs) == WAIT_OBJECT_0;
                throw;
            }
        } catch (const std::runtime_error& error) {
            rethrown[self] = error.what();
        }
    };
    std::thread first(work, 0);
    std::thread second(work, 1);
    first.join();
    second.join();
    CloseHandle(inHandler[0]);
    CloseHandle(inHandler[1]);
    EXPECT_TRUE(met[0] && met[1]) << "both threads were in their handlers together";
    EXPECT_EQ(rethrown[0], "first");
    EXPECT_EQ(rethrown[1], "second");
}
