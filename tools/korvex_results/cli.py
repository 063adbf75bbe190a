"""The command line: compare, plot and table, with exit codes CI can use."""
import argparse
import json
import os
import sys

from . import compare, merge, plot, table
from .load import BadInput, load
from .output import write_atomically

EXIT_SLOWER = 1
EXIT_BAD_INPUT = 2


def _threshold(text):
    try:
        value = float(text)
    except ValueError:
        value = -1.0
    if not value >= 0:
        raise argparse.ArgumentTypeError(f"{text!r} is not a percentage of 0 or more")
    return value


def _parser():
    parser = argparse.ArgumentParser(
        prog="korvex-results", description="Compare, plot and tabulate korvex JSON results.")
    commands = parser.add_subparsers(dest="command", required=True)
    compare_command = commands.add_parser(
        "compare", help="compare two runs; exit 1 when a test got significantly slower")
    compare_command.add_argument("base")
    compare_command.add_argument("new")
    compare_command.add_argument("--threshold", type=_threshold, default=5.0, metavar="PCT",
                                 help="slowdown in percent that counts (default 5)")
    plot_command = commands.add_parser("plot", help="chart a survey or a latency run")
    plot_command.add_argument("files", nargs="+", metavar="FILE")
    plot_command.add_argument("-o", dest="out", required=True, metavar="OUT.png|OUT.svg")
    merge_command = commands.add_parser(
        "merge", help="pool the sections of several runs of the same tests into one file")
    merge_command.add_argument("files", nargs="+", metavar="RUN.json")
    merge_command.add_argument("-o", dest="out", required=True, metavar="MERGED.json")
    table_command = commands.add_parser("table", help="print a run as a table")
    table_command.add_argument("file")
    table_command.add_argument("--format", choices=["markdown", "csv"], default="markdown")
    return parser


def _emit(text):
    try:
        sys.stdout.write(text)
        sys.stdout.flush()
    except BrokenPipeError:
        # The reader (head, less) quit early; the results still decide the exit code.
        os.dup2(os.open(os.devnull, os.O_WRONLY), sys.stdout.fileno())


def _run(arguments):
    if arguments.command == "compare":
        base, new = load(arguments.base), load(arguments.new)
        text, any_slower = compare.report(arguments.base, base, arguments.new, new,
                                          arguments.threshold)
        _emit(text + "\n")
        return EXIT_SLOWER if any_slower else 0
    if arguments.command == "plot":
        plot.plot(arguments.files, [load(path) for path in arguments.files], arguments.out)
        return 0
    if arguments.command == "merge":
        document = merge.merge(arguments.files, [load(path) for path in arguments.files])
        text = json.dumps(document, indent=1) + "\n"
        write_atomically(arguments.out, lambda output: output.write(text.encode("utf-8")))
        return 0
    document = load(arguments.file)
    write = table.as_csv if arguments.format == "csv" else table.as_markdown
    _emit(write(document))
    return 0


def main(argv=None):
    arguments = _parser().parse_args(argv)
    try:
        return _run(arguments)
    except BadInput as error:
        print(f"korvex-results: {error}", file=sys.stderr)
        return EXIT_BAD_INPUT
