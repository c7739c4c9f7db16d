"""The game's sound effects, each built directly in code."""
EFFECTS = {}
