"""Steps in series of times: a penalised piecewise-constant fit.

Each series is fitted with the line of constant pieces that minimises the
squared residuals of the logarithm of the time plus a penalty for every step
(the Potts functional, the fit asv uses to find regressions), solved exactly
by optimal partitioning (Jackson et al., "An algorithm for optimal
partitioning of data on an interval", IEEE Signal Processing Letters 12,
2005). Logarithms make a step a ratio, the same for a fast test and a slow
one. The penalty is 6 sigma^2 ln n, sigma estimated robustly from the
differences of successive runs, so that a step does not inflate it. That is
three times the Schwarz criterion's 2 sigma^2 ln n (Yao 1988), for a check
that fails a CI job: on simulated series of 60 runs with 3 % noise
(perf/history_scale.py), Schwarz's penalty sees a step in 7 % of flat
series, this one in 0.02 %, and places a 10 % step at its run in 87 % of
series, within two runs of it in 99 %. Neighbouring pieces whose levels differ by less than
the threshold are then merged, the closest pair first."""
import math

import numpy as np

# The standard deviation of a normal variable is its median absolute
# deviation over this; a difference of two runs has sqrt(2) times the noise.
_MAD_TO_SIGMA = 0.6744897501960817 * math.sqrt(2)
# Times are not steadier than this, whatever a short or rounded series says.
_SIGMA_FLOOR = 0.001
PENALTY_FACTOR = 6


def _noise(logs):
    if len(logs) < 2:
        return _SIGMA_FLOOR
    return max(float(np.median(np.abs(np.diff(logs)))) / _MAD_TO_SIGMA, _SIGMA_FLOOR)


def _last_starts(rows, penalties):
    """For every row and every end, where the optimal fit's last piece starts.

    The rows are fitted side by side, one end at a time: a fit up to an end
    depends only on the values before it, so a row padded at its end gives
    the same fit up to its own length."""
    count, length = rows.shape
    sums = np.zeros((count, length + 1))
    squares = np.zeros((count, length + 1))
    np.cumsum(rows, axis=1, out=sums[:, 1:])
    np.cumsum(rows * rows, axis=1, out=squares[:, 1:])
    best = np.empty((count, length + 1))
    best[:, 0] = -penalties
    last_start = np.zeros((count, length + 1), dtype=np.int64)
    every_row = np.arange(count)
    for end in range(1, length + 1):
        sizes = np.arange(end, 0, -1)
        total = sums[:, end, None] - sums[:, :end]
        residual = squares[:, end, None] - squares[:, :end] - total * total / sizes
        candidates = best[:, :end] + residual
        start = np.argmin(candidates, axis=1)
        best[:, end] = candidates[every_row, start] + penalties
        last_start[:, end] = start
    return last_start, sums


def _pieces(last_start, length):
    bounds = [length]
    while bounds[-1] > 0:
        bounds.append(int(last_start[bounds[-1]]))
    bounds.reverse()
    return [[start, end] for start, end in zip(bounds, bounds[1:])]


def _merge_small_steps(pieces, sums, threshold):
    def level(piece):
        return (sums[piece[1]] - sums[piece[0]]) / (piece[1] - piece[0])

    while len(pieces) > 1:
        sizes = [abs(math.expm1(level(after) - level(before)))
                 for before, after in zip(pieces, pieces[1:])]
        smallest = min(range(len(sizes)), key=sizes.__getitem__)
        if sizes[smallest] >= threshold:
            break
        pieces[smallest:smallest + 2] = [[pieces[smallest][0], pieces[smallest + 1][1]]]
    return [(after[0], math.expm1(level(after) - level(before)))
            for before, after in zip(pieces, pieces[1:])]


def find_steps(series, threshold_pct):
    """For each series of positive times, its steps as (index of the first
    time after the step, relative size: +0.1 for 10 % slower)."""
    if not series:
        return []
    length = max(len(times) for times in series)
    rows = np.zeros((len(series), length))
    penalties = np.empty(len(series))
    for row, times in enumerate(series):
        logs = np.log(np.asarray(times, dtype=float))
        # Centred, the running sums keep their precision.
        rows[row, :len(logs)] = logs - (np.median(logs) if len(logs) else 0)
        penalties[row] = PENALTY_FACTOR * _noise(logs) ** 2 * math.log(max(len(logs), 1))
    last_start, sums = _last_starts(rows, penalties)
    return [_merge_small_steps(_pieces(last_start[row], len(times)), sums[row],
                               threshold_pct / 100)
            for row, times in enumerate(series)]
