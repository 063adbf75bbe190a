"""The results history: one SQLite file of runs and their tests' times per
quad, with a versioned schema that later versions of the tool upgrade."""
import contextlib
import json
import os
import sqlite3
import stat
import statistics
from collections import Counter
from datetime import datetime, timezone

from .load import BadInput, canonical_json, content_sha256
from .version1 import upgraded

# 'KRXH' in the file's header: tells a history from any other SQLite file.
APPLICATION_ID = 0x4B525848



def _documents_in_version_2(connection):
    """Runs read from format version 1 files as the tool now reads them, so
    that adding such a file again finds its run, and each test's program."""
    for run_id, text in connection.execute("SELECT id, document FROM runs").fetchall():
        document = json.loads(text)
        if document["format_version"] == 1:
            document = upgraded(document)
            connection.execute("UPDATE runs SET content_sha256 = ?, document = ? WHERE id = ?",
                               (content_sha256(document), canonical_json(document), run_id))
        connection.executemany(
            "UPDATE tests SET program = ? WHERE run_id = ? AND position = ?",
            [(canonical_json(test["program"]), run_id, position)
             for position, test in enumerate(document["tests"])])


# SCHEMA[n] takes a file from version n to n + 1, so that an older history
# is upgraded step by step: SQL statements, and functions of the connection
# where stored runs must be read. Never change a step once released; add one.
SCHEMA = [
    [
        """CREATE TABLE runs (
            id INTEGER PRIMARY KEY,
            content_sha256 TEXT NOT NULL UNIQUE,
            tag TEXT NOT NULL,
            started_utc TEXT NOT NULL,
            started_order TEXT NOT NULL,
            added_utc TEXT NOT NULL,
            file TEXT NOT NULL,
            host TEXT NOT NULL,
            renderer TEXT NOT NULL,
            driver TEXT NOT NULL,
            mode TEXT NOT NULL,
            document TEXT NOT NULL)""",
        """CREATE TABLE tests (
            run_id INTEGER NOT NULL REFERENCES runs (id),
            position INTEGER NOT NULL,
            label TEXT NOT NULL,
            profile TEXT NOT NULL,
            program_sha256 TEXT NOT NULL,
            occurrence INTEGER NOT NULL,
            median_ms_per_quad REAL NOT NULL,
            min_ms_per_quad REAL NOT NULL,
            max_ms_per_quad REAL NOT NULL,
            PRIMARY KEY (run_id, position))""",
        "CREATE INDEX runs_in_order ON runs (started_order, id)",
    ],
    [
        "ALTER TABLE tests ADD COLUMN program TEXT NOT NULL DEFAULT ''",
        _documents_in_version_2,
    ],
]
VERSION = len(SCHEMA)


def _refuse_link(path):
    if os.path.islink(path):
        raise BadInput(f"{path}: a link; name the history itself, which is written in place")


def _check_path(path, writing):
    if writing:
        _refuse_link(path)
    try:
        mode = os.stat(path).st_mode
    except FileNotFoundError:
        if writing:
            return
        raise BadInput(f"{path}: cannot read it: No such file or directory") from None
    except OSError as error:
        raise BadInput(f"{path}: cannot read it: {error.strerror}") from None
    if not stat.S_ISREG(mode):
        raise BadInput(f"{path}: not a regular file, so not a results history")


@contextlib.contextmanager
def _transaction(connection):
    """All or nothing: a failure anywhere leaves the file as it was."""
    connection.execute("BEGIN IMMEDIATE")
    try:
        yield
    except BaseException:
        if connection.in_transaction:
            connection.execute("ROLLBACK")
        raise
    connection.execute("COMMIT")


def _schema_version(connection, path):
    application = connection.execute("PRAGMA application_id").fetchone()[0]
    version = connection.execute("PRAGMA user_version").fetchone()[0]
    if application == 0 and version == 0:
        tables = connection.execute("SELECT count(*) FROM sqlite_master").fetchone()[0]
        if tables == 0:
            return 0
    if application != APPLICATION_ID:
        raise BadInput(f"{path}: an SQLite file, but not a korvex results history")
    if version > VERSION:
        raise BadInput(f"{path}: a history of schema version {version}, newer than this "
                       f"korvex-results reads ({VERSION}); use a newer korvex-results")
    return version


def _upgrade(connection, path, version):
    _refuse_link(path)
    with _transaction(connection):
        for step in SCHEMA[version:]:
            for statement in step:
                if callable(statement):
                    statement(connection)
                else:
                    connection.execute(statement)
        connection.execute(f"PRAGMA application_id = {APPLICATION_ID}")
        connection.execute(f"PRAGMA user_version = {VERSION}")


def open_history(path, writing=False):
    """A connection to the history in PATH, created when writing, upgraded
    from an older schema; BadInput when it cannot be used."""
    _check_path(path, writing)
    try:
        connection = sqlite3.connect(path, timeout=60, isolation_level=None)
        version = _schema_version(connection, path)
        if version == 0 and not writing:
            raise BadInput(f"{path}: an empty file; korvex-results history add fills it")
        if version < VERSION:
            _upgrade(connection, path, version)
    except (sqlite3.Error, ValueError) as error:
        raise BadInput(f"{path}: not a usable results history: {error}") from None
    return connection


def _started_order(started_utc):
    # The schema allows fractions of a second; padded, the text sorts in time order.
    whole, _, fraction = started_utc.rstrip("Z").partition(".")
    return f"{whole}.{fraction.ljust(9, '0')[:9]}Z"


def default_tag(document):
    """The driver's version: the driver library's, else the GL version string."""
    library = document["driver"]
    if library is not None and library["version"]:
        return library["version"]
    return document["gl"]["version"]


def _driver(document):
    library = document["driver"]
    if library is None:
        return "driver library not found"
    return f"{library['name']} {library['version']}".strip()


def _host(document):
    host = document["host"]
    return ", ".join(part for part in (host["cpu"], f"{host['os']} {host['kernel']}".strip())
                     if part)


def _test_rows(run_id, document):
    seen = Counter()
    for position, test in enumerate(document["tests"]):
        program = canonical_json(test["program"])
        identity = test["label"], program, test["program_sha256"]
        seen[identity] += 1
        per_quad = [section / test["iterations"] for section in test["sections_ms"]]
        yield (run_id, position, test["label"], test["profile"], program, test["program_sha256"],
               seen[identity], statistics.median(per_quad), min(per_quad), max(per_quad))


def add_runs(connection, runs):
    """Stores each (file, document, tag) not yet in the history, all in one
    transaction; returns for each the tag of the run already stored, or None."""
    added_utc = datetime.now(timezone.utc).strftime("%Y-%m-%dT%H:%M:%SZ")
    stored_tags = []
    with _transaction(connection):
        for path, document, tag in runs:
            content = content_sha256(document)
            earlier = connection.execute("SELECT tag FROM runs WHERE content_sha256 = ?",
                                         (content,)).fetchone()
            stored_tags.append(earlier[0] if earlier else None)
            if earlier:
                continue
            cursor = connection.execute(
                "INSERT INTO runs (content_sha256, tag, started_utc, started_order, added_utc, "
                "file, host, renderer, driver, mode, document) "
                "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                (content, tag, document["started_utc"], _started_order(document["started_utc"]),
                 added_utc, os.path.basename(path), _host(document), document["gl"]["renderer"],
                 _driver(document), document["settings"]["mode"], canonical_json(document)))
            connection.executemany(
                "INSERT INTO tests (run_id, position, label, profile, program, program_sha256, "
                "occurrence, median_ms_per_quad, min_ms_per_quad, max_ms_per_quad) "
                "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)", _test_rows(cursor.lastrowid, document))
    return stored_tags


def runs(connection):
    """Every run in time order: tag, started, host, renderer, driver, mode, tests."""
    return connection.execute(
        "SELECT tag, started_utc, host, renderer, driver, mode, "
        "(SELECT count(*) FROM tests WHERE run_id = runs.id) "
        "FROM runs ORDER BY started_order, id").fetchall()


def series(connection, renderer=None, label=None):
    """Each test's points in time order, keyed by renderer, label, profile,
    program (its object as JSON text, and its text's SHA-256) and the
    how-manieth time the run held that program: a list of
    (run number, tag, started, median, min, max) per key, the run number
    counting every run of the history in order."""
    order = {run_id: number for number, (run_id,) in enumerate(connection.execute(
        "SELECT id FROM runs ORDER BY started_order, id"), start=1)}
    rows = connection.execute(
        "SELECT runs.id, tag, started_utc, renderer, label, profile, program, program_sha256, "
        "occurrence, median_ms_per_quad, min_ms_per_quad, max_ms_per_quad "
        "FROM tests JOIN runs ON runs.id = tests.run_id "
        "WHERE (:renderer IS NULL OR instr(renderer, :renderer) > 0) "
        "AND (:label IS NULL OR label = :label) "
        "ORDER BY started_order, runs.id, position",
        {"renderer": renderer, "label": label})
    found = {}
    for run_id, tag, started, *key, median, low, high in rows:
        found.setdefault(tuple(key), []).append((order[run_id], tag, started, median, low, high))
    return found
