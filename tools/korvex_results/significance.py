"""Judges two samples of times per quad: medians, relative change and a
two-sided Mann-Whitney U test, the rule every comparison of runs shares."""
import statistics

from scipy.stats import mannwhitneyu

SIGNIFICANCE = 0.05
MIN_SECTIONS = 3


def judge(before, after, threshold_pct):
    base_median, new_median = statistics.median(before), statistics.median(after)
    change = (new_median - base_median) / base_median * 100
    p_value = None
    if min(len(before), len(after)) >= MIN_SECTIONS:
        p_value = mannwhitneyu(before, after, alternative="two-sided").pvalue
    significant = p_value is not None and p_value < SIGNIFICANCE
    return {"base_ms": base_median, "new_ms": new_median, "change_pct": change,
            "p_value": p_value,
            "slower": significant and change > threshold_pct,
            "faster": significant and change < -threshold_pct}


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
