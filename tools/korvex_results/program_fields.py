"""A test's program object as flat fields, the nested ones by dotted names
("fetches.count"), each value as its JSON text."""
import json


def program_fields(program, prefix=""):
    fields = {}
    for name, value in program.items():
        if isinstance(value, dict):
            fields.update(program_fields(value, f"{prefix}{name}."))
        else:
            fields[prefix + name] = json.dumps(value)
    return fields
