// A shared library needs one source of its own; its code comes from its parts.
