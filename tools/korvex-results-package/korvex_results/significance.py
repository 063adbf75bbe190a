"""Judges two samples of times per quad: medians, relative change and a
two-sided Mann-Whitney U test, the rule every comparison of runs shares."""
import statistics

SIGNIFICANCE = 0.05
MIN_SECTIONS = 3
# With 5 a side the smallest p-value is 0.008, and a change stays significant
# with up to 2 of the 25 pairs of sections ordered against it; with 4 a side
# only a change that every section shows is, and with 3 a side none.
ENOUGH_SECTIONS = 5


def _p_value(before, after):
    # Imported here: scipy takes a second or more to load, and merge, which
    # shares the pairing of tests, needs none of it.
    from scipy.stats import mannwhitneyu
    return mannwhitneyu(before, after, alternative="two-sided").pvalue


def _can_be_significant(base_count, new_count):
    # The smallest p-value samples of these sizes can give is that of two
    # runs whose every section differs in the same direction.
    if min(base_count, new_count) < MIN_SECTIONS:
        return False
    return _p_value(range(base_count), range(base_count, base_count + new_count)) < SIGNIFICANCE


def judge(before, after, threshold_pct):
    base_median, new_median = statistics.median(before), statistics.median(after)
    change = (new_median - base_median) / base_median * 100
    p_value = None
    if min(len(before), len(after)) >= MIN_SECTIONS:
        p_value = _p_value(before, after)
    significant = p_value is not None and p_value < SIGNIFICANCE
    return {"base_ms": base_median, "new_ms": new_median, "change_pct": change,
            "p_value": p_value, "sections": (len(before), len(after)),
            "slower": significant and change > threshold_pct,
            "faster": significant and change < -threshold_pct}


def few_sections_warning(named_rows, things):
    """A line naming the pairs with fewer than ENOUGH_SECTIONS sections on a
    side; none when every pair has enough."""
    few = [(name, row["sections"]) for name, row in named_rows
           if min(row["sections"]) < ENOUGH_SECTIONS]
    if not few:
        return []
    hopeless = sum(not _can_be_significant(*counts) for _, counts in few)
    none_text = f" ({hopeless} of them can find none)" if hopeless else ""
    listed = ", ".join(f"{name} {base}/{new}" for name, (base, new) in few)
    return [f"warning: {len(few)} of {len(named_rows)} {things} have fewer than "
            f"{ENOUGH_SECTIONS} sections on a side, too few for the test to find any but the "
            f"clearest change{none_text}; take {ENOUGH_SECTIONS} or more a side "
            f"(korvex --repeat {ENOUGH_SECTIONS}). Sections base/new: {listed}"]


def p_text(p_value):
    return "too few runs" if p_value is None else f"{p_value:.3f}"


def verdict(row):
    """SLOWER or faster, with * when the pair was measured differently."""
    text = "SLOWER" if row["slower"] else "faster" if row["faster"] else ""
    return (text + " *").strip() if row["differences"] else text


def summary(slower, total, things, threshold_pct):
    return (f"{slower} of {total} {things} slower by more than {threshold_pct:g}% with "
            f"p < {SIGNIFICANCE} (two-sided Mann-Whitney U over the sections; at least "
            f"{MIN_SECTIONS} a side)")
