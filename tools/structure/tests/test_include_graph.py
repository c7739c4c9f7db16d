"""The folder check on small made-up trees: it must catch what it is there to catch."""
import pathlib
import sys
import tempfile
import unittest

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[1]))
import include_graph  # noqa: E402


class IncludeGraphTest(unittest.TestCase):
    def tree(self, files):
        folder = tempfile.TemporaryDirectory()
        self.addCleanup(folder.cleanup)
        root = pathlib.Path(folder.name)
        for name in include_graph.GAME_FOLDERS:
            (root / name).mkdir()
        for path, text in files.items():
            (root / path).write_text(text, encoding="utf-8")
        return root

    def test_a_layered_tree_passes(self):
        root = self.tree({
            "app/A.cpp": '#include "scenes/Title.h"\n#include "gameplay/Game.h"\n',
            "gameplay/Game.cpp": '#include "Game.h"\n#include "model/Play.h"\n#include "cocos2d.h"\n',
            "model/Play.h": '#include "data/Character.h"\n#include <vector>\n',
            "data/Json.cpp": '#include "platform/CCFileUtils.h"\n',
        })
        found, graph = include_graph.problems(root)
        self.assertEqual(found, [])
        self.assertEqual(graph["gameplay"], {"model", "engine"})

    def test_wrong_way_extensions_and_model_reach_are_named_with_their_line(self):
        root = self.tree({
            "data/Loader.cpp": '#include "cocos2d.h"\n#include "shell/Constants.h"\n',
            "scenes/Title.cpp": '#include "ext/Input.h"\n',
            "model/Play.cpp": '#include "data/GameData.h"\n',
        })
        found, _ = include_graph.problems(root)
        self.assertIn('data/Loader.cpp:2: data includes "shell/Constants.h" (points the wrong way)', found)
        self.assertTrue(any(p.startswith("scenes/Title.cpp:1:") and "extensions" in p for p in found))
        self.assertTrue(any(p.startswith("model/Play.cpp:1:") and "record types" in p for p in found))

    def test_scenes_and_gameplay_including_each_other_is_a_cycle(self):
        root = self.tree({
            "scenes/Title.cpp": '#include "gameplay/Game.h"\n',
            "gameplay/Game.cpp": '#include "scenes/Score.h"\n',
        })
        found, _ = include_graph.problems(root)
        self.assertIn("cycle: gameplay -> scenes -> gameplay", found)
        self.assertEqual(sum("wrong way" in p for p in found), 2)

    def test_the_shipped_tree_passes(self):
        found, _ = include_graph.problems(include_graph.ROOT)
        self.assertEqual(found, [])


if __name__ == "__main__":
    unittest.main()
