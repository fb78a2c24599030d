// Random users at the real window: seeded, so a run reproduces, and
// shortened on failure to an action list that still breaks an invariant.
//
//   TARVIK_USERS_SEED      seed of the first session (default fixed)
//   TARVIK_USERS_SESSIONS  number of sessions, each a fresh window
//   TARVIK_USERS_ACTIONS   actions per session

#include "session.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace tarvik::users {
namespace {

// The sanitizer build runs every action several times slower.
#if defined(__SANITIZE_ADDRESS__)
constexpr long defaultSessions = 8;
#else
constexpr long defaultSessions = 16;
#endif
constexpr long defaultActions = 2500;
constexpr unsigned long long defaultSeed = 20240611;

unsigned long long fromEnvironment(const char* name, unsigned long long fallback)
{
    const char* value = std::getenv(name);
    return value && *value ? std::strtoull(value, nullptr, 10) : fallback;
}

bool fails(const std::vector<Action>& actions, std::vector<Action>* upToFailure = nullptr)
{
    const int at = replay(actions);
    if (at >= 0 && upToFailure)
        upToFailure->assign(actions.begin(), actions.begin() + at + 1);
    return at >= 0;
}

// The shortest tail that still fails on a fresh window, then delta debugging
// (dropping chunks of actions) for as long as the time budget allows.
std::vector<Action> shorten(std::vector<Action> actions, qint64 budgetMs)
{
    QElapsedTimer clock;
    clock.start();
    for (std::size_t tail : {4u, 16u, 64u, 256u, 1024u}) {
        if (tail >= actions.size())
            break;
        std::vector<Action> shorter(actions.end() - static_cast<std::ptrdiff_t>(tail), actions.end());
        if (fails(shorter, &shorter)) {
            actions = shorter;
            break;
        }
    }
    std::size_t chunks = 2;
    while (actions.size() >= 2 && clock.elapsed() < budgetMs) {
        const std::size_t size = actions.size();
        const std::size_t step = (size + chunks - 1) / chunks;
        bool reduced = false;
        for (std::size_t start = 0; start < size && clock.elapsed() < budgetMs; start += step) {
            std::vector<Action> rest(actions.begin(), actions.begin() + static_cast<std::ptrdiff_t>(start));
            rest.insert(rest.end(),
                        actions.begin() + static_cast<std::ptrdiff_t>(std::min(size, start + step)),
                        actions.end());
            if (!rest.empty() && fails(rest, &rest)) {
                actions = rest;
                chunks = std::max<std::size_t>(chunks - 1, 2);
                reduced = true;
                break;
            }
        }
        if (!reduced) {
            if (chunks >= size)
                break;
            chunks = std::min(size, chunks * 2);
        }
    }
    return actions;
}

// One user's session on a fresh window. On a broken invariant, the actions
// up to it and the reason.
struct SessionOutcome {
    std::vector<Action> actions;
    std::string failure;
    int boxes = 0;
};

SessionOutcome runSession(unsigned long long seed, long actions)
{
    std::mt19937_64 rng(seed);
    SessionOutcome outcome;
    Session session;
    for (long i = 0; i < actions && outcome.failure.empty(); ++i) {
        outcome.actions.push_back(session.generate(rng));
        if (!session.run(outcome.actions.back()))
            outcome.failure = session.failure();
    }
    outcome.boxes = session.boxesShown();
    return outcome;
}

TEST(RandomUsers, KeepEveryInvariantThroughoutLongSessions)
{
    const unsigned long long seed = fromEnvironment("TARVIK_USERS_SEED", defaultSeed);
    const auto sessions = static_cast<long>(fromEnvironment("TARVIK_USERS_SESSIONS", defaultSessions));
    const auto perSession = static_cast<long>(fromEnvironment("TARVIK_USERS_ACTIONS", defaultActions));

    QElapsedTimer clock;
    clock.start();
    long total = 0;
    int boxes = 0;
    for (long s = 0; s < sessions; ++s) {
        const unsigned long long sessionSeed = seed + static_cast<unsigned long long>(s);
        const SessionOutcome outcome = runSession(sessionSeed, perSession);
        total += static_cast<long>(outcome.actions.size());
        boxes += outcome.boxes;
        if (outcome.failure.empty())
            continue;

        // The failing session's window is gone; shorten on fresh ones.
        const auto& done = outcome.actions;
        std::string report =
            "Broken after action " + std::to_string(done.size()) + " (" + describe(done.back()) +
            "): " + outcome.failure + "\nReproduce with TARVIK_USERS_SEED=" + std::to_string(sessionSeed) +
            " TARVIK_USERS_SESSIONS=1 TARVIK_USERS_ACTIONS=" + std::to_string(done.size()) + "\n";
        const std::vector<Action> shortened = shorten(done, 60000);
        std::string shortFailure;
        replay(shortened, &shortFailure);
        report += "A shorter run from a fresh window (" + std::to_string(shortened.size()) +
                  " actions) that fails with: " + shortFailure + "\n";
        for (std::size_t k = 0; k < shortened.size(); ++k)
            report += "  " + std::to_string(k + 1) + ". " + describe(shortened[k]) + "\n";
        FAIL() << report;
    }
    std::printf("%ld random actions in %ld sessions from seed %llu, %d error boxes, %lld ms\n", total,
                sessions, seed, boxes, static_cast<long long>(clock.elapsed()));
}

} // namespace
} // namespace tarvik::users
