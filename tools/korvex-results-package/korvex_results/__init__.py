"""Reads korvex's JSON results: compares two runs, plots and tabulates surveys."""
