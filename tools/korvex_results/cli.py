"""The command line: compare, plot, merge, table and history, with exit codes
CI can use."""
import argparse
import json
import os
import sys

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


def _tag(text):
    if not text.strip() or any(mark in text for mark in "\r\n"):
        raise argparse.ArgumentTypeError(f"{text!r} is not a tag: give a commit, a driver "
                                         f"version or a date, on one line")
    return text


def _history_parser(commands):
    history_command = commands.add_parser(
        "history", help="keep runs in an SQLite file and find the steps in each test's times")
    actions = history_command.add_subparsers(dest="action", required=True)
    database = argparse.ArgumentParser(add_help=False)
    database.add_argument("--db", required=True, metavar="FILE", help="the history's file")
    choice = argparse.ArgumentParser(add_help=False)
    choice.add_argument("--test", metavar="LABEL", help="only the tests of this label")
    choice.add_argument("--renderer", metavar="TEXT",
                        help="only the runs whose GL renderer contains TEXT")
    add = actions.add_parser("add", parents=[database], help="store runs")
    add.add_argument("files", nargs="+", metavar="RUN.json")
    add.add_argument("--tag", type=_tag, metavar="TEXT",
                     help="a commit, driver version or date (default: the run's driver version)")
    actions.add_parser("list", parents=[database], help="list the runs stored")
    show = actions.add_parser("show", parents=[database, choice],
                              help="each test's median time per quad over the runs")
    show.add_argument("-o", dest="out", metavar="OUT.png|OUT.svg", help="draw it as a chart")
    check = actions.add_parser(
        "check", parents=[database, choice],
        help="find steps in each test's times; exit 1 when the newest run is past a step "
             "toward slower")
    check.add_argument("--threshold", type=_threshold, default=5.0, metavar="PCT",
                       help="the smallest step that counts, in percent (default 5)")
    check.add_argument("--since", type=_tag, metavar="TAG",
                       help="only a step from the first run of this tag on fails the check")


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
    _history_parser(commands)
    return parser


def _emit(text):
    try:
        sys.stdout.write(text)
        sys.stdout.flush()
    except BrokenPipeError:
        # The reader (head, less) quit early; the results still decide the exit code.
        os.dup2(os.open(os.devnull, os.O_WRONLY), sys.stdout.fileno())


def _run_history(arguments):
    from . import history
    if arguments.action == "add":
        _emit(history.add(arguments.files, arguments.db, arguments.tag))
    elif arguments.action == "list":
        _emit(history.list_runs(arguments.db))
    elif arguments.action == "show" and arguments.out:
        history.show_plot(arguments.db, arguments.renderer, arguments.test, arguments.out)
    elif arguments.action == "show":
        _emit(history.show(arguments.db, arguments.renderer, arguments.test))
    else:
        text, any_slower = history.check(arguments.db, arguments.renderer, arguments.test,
                                         arguments.threshold, arguments.since)
        _emit(text)
        return EXIT_SLOWER if any_slower else 0
    return 0


def _run(arguments):
    # Each command imports what it uses: scipy and matplotlib take a second to
    # load, more than a history check takes.
    if arguments.command == "compare":
        from . import compare

        base, new = load(arguments.base), load(arguments.new)
        text, any_slower = compare.report(arguments.base, base, arguments.new, new,
                                          arguments.threshold)
        _emit(text + "\n")
        return EXIT_SLOWER if any_slower else 0
    if arguments.command == "plot":
        from . import plot
        plot.plot(arguments.files, [load(path) for path in arguments.files], arguments.out)
        return 0
    if arguments.command == "merge":
        from . import merge
        document = merge.merge(arguments.files, [load(path) for path in arguments.files])
        text = json.dumps(document, indent=1) + "\n"
        write_atomically(arguments.out, lambda output: output.write(text.encode("utf-8")))
        return 0
    if arguments.command == "history":
        return _run_history(arguments)
    from . import table
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
