-- A results history as the first schema wrote it: two runs of MAD, the
-- second 50 % slower. Kept as written, so that every later version is
-- tested on opening it.
BEGIN TRANSACTION;
CREATE TABLE runs (
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
            document TEXT NOT NULL);
INSERT INTO "runs" VALUES(1,'f8c3792b859f4178f20da9dd8ad13c0493d8f1f2779fcafd5f9e2f4a20c287ad','schema-1-run-0','2026-12-01T13:00:00Z','2026-12-01T13:00:00.000000000Z','2026-12-09T10:00:00Z','run0.json','AMD EPYC 7B13, Linux 6.1.0-18-amd64','llvmpipe (LLVM 15.0.6, 256 bits)','libGLX_mesa.so.0 22.3.6','all_instructions','{"driver":{"company":"Mesa","description":"Mesa GL","name":"libGLX_mesa.so.0","version":"22.3.6"},"format":"korvex-results","format_version":1,"gl":{"renderer":"llvmpipe (LLVM 15.0.6, 256 bits)","vendor":"Mesa","version":"4.5 (Core Profile) Mesa 22.3.6"},"host":{"cpu":"AMD EPYC 7B13","kernel":"6.1.0-18-amd64","logical_cores":2,"os":"Linux"},"korvex_version":"0.7","latency":[],"settings":{"height":768,"iteration_policy":{"iterations":100,"kind":"fixed"},"mode":"all_instructions","net":false,"options":{"length":4},"profile":"ARB","repeat":5,"width":512},"started_utc":"2026-12-01T13:00:00Z","tests":[{"fragments":{"counted":null,"expected":39321600},"height":768,"instruction":"MAD","iterations":100,"label":"MAD","max_ms":10.1,"median_ms":10.0,"min_ms":9.9,"per_pixel":{"bytes_written":16,"flops":9,"instructions":9,"texels":0},"profile":"ARB","program_sha256":"b8643090fe2b7457542d320b2d21f664acc3ed38c2a591a0b07f83babad0a33e","rates":{"bytes_per_s":62914560000.0,"flops_per_s":35389440000.0,"instructions_per_s":35389440000.0,"pixels_per_s":3932160000.0,"texels_per_s":0.0},"sections_ms":[10.0,10.1,9.9],"warnings":[],"width":512}]}');
INSERT INTO "runs" VALUES(2,'7d108c5e722efd87d4d83d97682980d430d0ee68d9ebc363171591ffb9232090','schema-1-run-1','2026-12-02T13:00:00Z','2026-12-02T13:00:00.000000000Z','2026-12-09T10:00:00Z','run1.json','AMD EPYC 7B13, Linux 6.1.0-18-amd64','llvmpipe (LLVM 15.0.6, 256 bits)','libGLX_mesa.so.0 22.3.6','all_instructions','{"driver":{"company":"Mesa","description":"Mesa GL","name":"libGLX_mesa.so.0","version":"22.3.6"},"format":"korvex-results","format_version":1,"gl":{"renderer":"llvmpipe (LLVM 15.0.6, 256 bits)","vendor":"Mesa","version":"4.5 (Core Profile) Mesa 22.3.6"},"host":{"cpu":"AMD EPYC 7B13","kernel":"6.1.0-18-amd64","logical_cores":2,"os":"Linux"},"korvex_version":"0.7","latency":[],"settings":{"height":768,"iteration_policy":{"iterations":100,"kind":"fixed"},"mode":"all_instructions","net":false,"options":{"length":4},"profile":"ARB","repeat":5,"width":512},"started_utc":"2026-12-02T13:00:00Z","tests":[{"fragments":{"counted":null,"expected":39321600},"height":768,"instruction":"MAD","iterations":100,"label":"MAD","max_ms":15.149999999999999,"median_ms":15.0,"min_ms":14.850000000000001,"per_pixel":{"bytes_written":16,"flops":9,"instructions":9,"texels":0},"profile":"ARB","program_sha256":"b8643090fe2b7457542d320b2d21f664acc3ed38c2a591a0b07f83babad0a33e","rates":{"bytes_per_s":41943040000.0,"flops_per_s":23592960000.0,"instructions_per_s":23592960000.0,"pixels_per_s":2621440000.0,"texels_per_s":0.0},"sections_ms":[15.0,15.149999999999999,14.850000000000001],"warnings":[],"width":512}]}');
CREATE TABLE tests (
            run_id INTEGER NOT NULL REFERENCES runs (id),
            position INTEGER NOT NULL,
            label TEXT NOT NULL,
            profile TEXT NOT NULL,
            program_sha256 TEXT NOT NULL,
            occurrence INTEGER NOT NULL,
            median_ms_per_quad REAL NOT NULL,
            min_ms_per_quad REAL NOT NULL,
            max_ms_per_quad REAL NOT NULL,
            PRIMARY KEY (run_id, position));
INSERT INTO "tests" VALUES(1,0,'MAD','ARB','b8643090fe2b7457542d320b2d21f664acc3ed38c2a591a0b07f83babad0a33e',1,0.1,0.099,1.00999999999999992561e-01);
INSERT INTO "tests" VALUES(2,0,'MAD','ARB','b8643090fe2b7457542d320b2d21f664acc3ed38c2a591a0b07f83babad0a33e',1,0.15,1.48500000000000020872e-01,0.1515);
CREATE INDEX runs_in_order ON runs (started_order, id);
COMMIT;
PRAGMA application_id = 1263687752;
PRAGMA user_version = 1;
