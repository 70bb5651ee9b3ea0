// Filled in by the core work.
