/* DIZ simulation engine: the public interface of the shared library `core`.
 *
 * Conventions
 *  - The library exports exactly one symbol, `trial`, with C linkage and an
 *    unadorned name. Everything else is internal.
 *  - The caller owns every record and every output location; the engine only
 *    reads the records during a call and keeps no pointer after it returns.
 *  - Nothing is checked: null pointers, `games == 0` and probabilities
 *    outside [0, 1] are the caller's fault. NaN probabilities count as
 *    outcomes that never happen.
 *  - Random numbers come from a per-thread generator that starts at 1 when the
 *    library is loaded and runs on across calls; it is never reseeded. Loading
 *    the library afresh and repeating the same calls repeats the results.
 *  - Calls from different threads do not interfere (each thread has its own
 *    generator); no locks are taken.
 *  - An inning ends at three outs, or after 1000 plate appearances when the
 *    lineup can hardly make an out (for example, when every batter's five
 *    probabilities add up to more than 32767/32768). The cap keeps every game
 *    finite and bounds a game's runs well below 65536.
 *  - The only failure is running out of memory for the per-game scratch array
 *    (2 bytes per game); the process then exits with status -1.
 */
#ifndef DIZ_CORE_H
#define DIZ_CORE_H

#include <stdint.h>

#if defined(_WIN32)
#if defined(DIZ_CORE_BUILDING)
#define DIZ_CORE_API __declspec(dllexport)
#else
#define DIZ_CORE_API __declspec(dllimport)
#endif
#else
#define DIZ_CORE_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* One batter as the engine sees him. The five probabilities are per plate
 * appearance; whatever remains of 1 is the chance of an out. */
typedef struct BatterRecord {
    char label; /* 'a'..'i', set by the caller, never read by the engine */
    double pSingle;
    double pDouble;
    double pTriple;
    double pHomeRun;
    double pWalk;
    double rate1B1to3; /* on a single, this runner goes from first to third */
    double rate1B2to4; /* on a single, this runner scores from second */
    double rate2B1to4; /* on a double, this runner scores from first */
} BatterRecord;

/* Plays `games` nine-inning games (games >= 1) with the batting order
 * `lineup[0..8]` and stores: the mean runs per game, its standard error
 * (population standard deviation / sqrt(games)), the nine per-inning mean
 * runs and the nine per-inning shares of games with at least one run. */
DIZ_CORE_API void trial(const BatterRecord* const lineup[9], uint32_t games, double* meanRuns,
                        double* standardError, double inningRuns[9], double inningScoring[9]);

/* The type of `trial`, for callers that look it up at run time. */
typedef void (*TrialFunction)(const BatterRecord* const lineup[9], uint32_t games, double* meanRuns,
                              double* standardError, double inningRuns[9], double inningScoring[9]);

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* DIZ_CORE_H */
