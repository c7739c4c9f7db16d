import os
import sys

AUDIO_DIR = os.path.abspath(os.path.join(os.path.dirname(__file__), ".."))
if AUDIO_DIR not in sys.path:
    sys.path.insert(0, AUDIO_DIR)
