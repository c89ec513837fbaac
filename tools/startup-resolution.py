#!/usr/bin/env python3
"""How finely three rounds of 20 turns can tell two start-ups apart.

The shared start-up tool sees a window at the first 'xdotool search' after it is mapped and
takes the midpoint of the last two polls, so each run's time carries an error spread evenly over
one poll cycle (the tool prints its half-width after the '±'). This simulates two programs that
map their windows at exactly the same moment, timed the way tools/startup-rounds.sh times them,
and prints how far apart the median of the three rounds' differences falls.

    python3 tools/startup-resolution.py [poll cycle in ms ...]
"""
import random
import statistics
import sys

RUNS, ROUNDS, SITTINGS = 20, 3, 4000
RUN_SPREAD_MS = 3.0  # how much one start differs from the next, before the tool's polling
ROUND_SHIFT_MS = 4.0  # how far the machine's load moves a whole round


def seen_at(mapped_ms, cycle_ms):
    """The time the tool reports for a window mapped at mapped_ms."""
    first_poll = random.uniform(0, cycle_ms)
    polls_before = int((mapped_ms - first_poll) // cycle_ms) + 1
    return first_poll + polls_before * cycle_ms - cycle_ms / 2


def sitting(cycle_ms):
    differences = []
    for _ in range(ROUNDS):
        mapped = 90.0 + random.gauss(0, ROUND_SHIFT_MS)
        medians = [
            statistics.median(
                seen_at(mapped + random.gauss(0, RUN_SPREAD_MS), cycle_ms) for _ in range(RUNS))
            for _ in range(2)
        ]
        differences.append(medians[1] - medians[0])
    return statistics.median(differences)


def main():
    random.seed(1)
    cycles = [float(c) for c in sys.argv[1:]] or [10.0, 17.0, 24.0]
    for cycle in cycles:
        results = [sitting(cycle) for _ in range(SITTINGS)]
        behind = sum(r > 1.0 for r in results) / len(results)
        print(f"poll cycle {cycle:5.1f} ms (±{cycle / 2:4.1f}): median of the round differences "
              f"scatters by {statistics.pstdev(results):.2f} ms; the same program comes out more "
              f"than 1 ms behind itself in {behind:.0%} of sittings")


if __name__ == "__main__":
    main()
