"""The same command makes the same maze forever: the seeds printed in books and
the remake lines the tool tells must keep working. Each row pins the file that
one seed makes on every shape, with every method, pick, braid and exits."""

import hashlib
import os
import unittest

from tool_case import ToolCase

# A ring: a mask with a hole, so carvers must go around it.
MASK = ("............\n"
        "..########..\n"
        ".##########.\n"
        "####....####\n"
        "###......###\n"
        "####....####\n"
        ".##########.\n"
        "..########..\n"
        "............\n")

SHAPES = {
    "rect": ["-W", "13", "-H", "9"],
    "rect-mask": ["--mask", "mask.txt"],
    "hex": ["--shape", "hex", "-W", "11", "-H", "8"],
    "hex-mask": ["--shape", "hex", "--mask", "mask.txt"],
    "triangle": ["--shape", "triangle", "-W", "12", "-H", "7"],
    "triangle-mask": ["--shape", "triangle", "--mask", "mask.txt"],
    "polar": ["--shape", "polar", "-H", "6"],
}

# (shape, method[:pick], hashes): the first 16 hex digits of the SHA-256 of
# the file `generate --seed 2026` writes, with each of BRAID_AND_EXITS in turn.
BRAID_AND_EXITS = [("0", []), ("0", ["--exits", "farthest"]),
                   ("0.5", []), ("0.5", ["--exits", "farthest"])]
PINNED = [
    ("rect", "depth-first", ("2d076f5ccd645da6", "44795ceb8e9c5351", "7c09c129bccef8be", "6eaae2c241865266")),
    ("rect", "prim", ("2e5910f94eb27f1f", "2447f8177deafdd8", "712933a678dd7446", "9cea27de05e760d4")),
    ("rect", "kruskal", ("e611d4600d33eb12", "e6103a34af554f61", "2bea22e49495761e", "8090846a493f483b")),
    ("rect", "wilson", ("8034e4f57c8c62c3", "89db8d46eb1738da", "6ca573dc226a48a9", "e7ed5fdfc575e157")),
    ("rect", "aldous-broder", ("38a4301520087033", "563217abeb1bb913", "722ffd1871cc5d79", "ec6117eba54fd47a")),
    ("rect", "hunt-and-kill", ("73813c9746552f6b", "d97841341515f11a", "83da3673f9c710c5", "022a7a87bc833f92")),
    ("rect", "growing-tree", ("6590c050626ecc2c", "9f23e38c91c1ccb6", "26e54ba458a28928", "7e329ddf10a6a12c")),
    ("rect", "growing-tree:random", ("7f6545550950815b", "fbd6744620377934", "5a7ddc7a690fd016", "99b451e32f99c500")),
    ("rect", "growing-tree:oldest", ("540ee1e2a012171e", "06037d717b0b38af", "1a966a149c046dba", "57108f7724c21a0a")),
    ("rect", "growing-tree:mix:0.3", ("6ffa15d5e3bed722", "0be113066bc90856", "97d865787e48dde3", "2c22873ccfe1f9fc")),
    ("rect", "eller", ("79baedd318145a22", "48a713a9b59ec42e", "93964fb19947c59f", "8c7b5b6961d52f7c")),
    ("rect", "binary-tree", ("12582001a462a603", "6879bb8b7303c53b", "99983ee00bc0aad8", "1cfe14724e92710b")),
    ("rect", "sidewinder", ("58eff5a6e9860e53", "bc3e6e02230c6051", "b1ab19813c35fe23", "b0673a2db82001f3")),
    ("rect", "recursive-division", ("e3aa7490ff5b1151", "6e4703f0f5803272", "76eed95b556bc2e4", "abb875a57fecb661")),
    ("rect-mask", "depth-first", ("e0039bc48a23974c", "5a777ba8aa554b53", "28d984e3352a18f0", "483be693fdd7082d")),
    ("rect-mask", "prim", ("d86aa7194ee35d77", "aac7238c287dda3d", "6b6e61f7531bb6b0", "acb6f1f014cd1520")),
    ("rect-mask", "kruskal", ("04042095b05866f5", "618d372d593dddc8", "77bf631e384bc008", "c7594a225f49a08c")),
    ("rect-mask", "wilson", ("6fc32ee5c6c8a795", "5136d215861a5081", "be096a668a2f8b46", "485aadc0c9ed8372")),
    ("rect-mask", "aldous-broder", ("1f959b324ea7aad8", "c16663cb384445a1", "b6834709c66baba6", "5155ecfc30072ae5")),
    ("rect-mask", "hunt-and-kill", ("b0d797c1a3985a3d", "493382cc493848f8", "88a95a44516f5e6c", "cbb93b5d5e7e7d47")),
    ("rect-mask", "growing-tree", ("b65fe82feffe0a6f", "bd2e011373ce3b55", "7c8444f9d6ddd1ad", "8fbed3a49f7d5bdc")),
    ("rect-mask", "growing-tree:random", ("fd0302bda03ba014", "d663aeee648c301b", "f3edcef07abaa84a", "28daed8c1037c2b0")),
    ("rect-mask", "growing-tree:oldest", ("ad46f279a59636f3", "67f39d10ceb26d3b", "7511d35b69a20be1", "ec8712d511a0ff6a")),
    ("rect-mask", "growing-tree:mix:0.3", ("0dc65f96a0e5ec75", "6aa155935e89ffe4", "38981ea01dc7d87c", "dadfca90fd8ec44a")),
    ("hex", "depth-first", ("4c205022eb6bdc4a", "2ff0fd2fb5206c7b", "7efbed1a8fb6608d", "0881c9986f16a207")),
    ("hex", "prim", ("3d1c35a11c680932", "4a6fe72ac1b30d7c", "18f03e9e6fb49acf", "811095ff20db48c7")),
    ("hex", "kruskal", ("5145642ddc9254a4", "d083cfebea88a13f", "d10ac25b76af3f5f", "7fa6a82f3f1a11f2")),
    ("hex", "wilson", ("1d706c13897b294d", "fbd88a97685d04e6", "b267807f2c885963", "5410d3046477d79e")),
    ("hex", "aldous-broder", ("2685fe0c60118428", "369010613400536d", "ae523691761f8c7b", "066eec6284fc5ff1")),
    ("hex", "hunt-and-kill", ("f88e9da992f3719f", "0c26c27881899768", "6270a4fa22f11601", "cc6bfbb118556f4a")),
    ("hex", "growing-tree", ("d6330d89510fb5a1", "3cee6c0f496cca5e", "e9c6a423b8902bc8", "bf6a1a362682b8ac")),
    ("hex", "growing-tree:random", ("495ed4f8767ef93f", "b85d48d001186d15", "f5e1629b75f8b848", "5bb0f6c38d34920a")),
    ("hex", "growing-tree:oldest", ("f1aac2bb75b9569e", "deb62a37daa005b9", "4e0980c2bade2c94", "7404d0114e33a5c4")),
    ("hex", "growing-tree:mix:0.3", ("0e5090f5fcb50108", "ec39c93d133cb176", "88c93b964ab32382", "691cd6c13866c2fb")),
    ("hex-mask", "depth-first", ("a6dbdedbe71a1765", "854bda14ab9e5255", "6596688c749d4081", "2420b77ba7e32d54")),
    ("hex-mask", "prim", ("64226a0c53ae72ed", "95d6dd95d762f78c", "ba01f77bdd891f7d", "f771c1770b112efa")),
    ("hex-mask", "kruskal", ("0b26f8914ae24ef0", "4bc961e1a09c263d", "0b8fc4ed4dc15a30", "2a6a1d6179fc84cf")),
    ("hex-mask", "wilson", ("b6a3ec17f74123e6", "f6d319837cf6c109", "7450a0987187fd3b", "e1cf74c798c9eec5")),
    ("hex-mask", "aldous-broder", ("0d196ca7fe66e4e5", "514f2674797c4fd2", "5f83fd85761ef2a0", "320d33e068126fe0")),
    ("hex-mask", "hunt-and-kill", ("29968e29d95e4b19", "1b93bd65d7a2afe4", "f7e29ae488832f9e", "a787a3943179d0b9")),
    ("hex-mask", "growing-tree", ("94686d8dcf8e1702", "8bdceaa6c01bf2d6", "9cc50fd24a24d034", "6525722cfec6c9d8")),
    ("hex-mask", "growing-tree:random", ("f5aa0a4606061d4c", "89cec56a3969871c", "8b79bc6c9fa9f0a8", "15d40fa1fb885a40")),
    ("hex-mask", "growing-tree:oldest", ("5f4d37176ac631cf", "56371fe7f6d861ba", "9f6b04de897b9a5f", "46437871b7958f18")),
    ("hex-mask", "growing-tree:mix:0.3", ("7a83f11180e60452", "49c7bbfd8aa1e53c", "c735d3b0dc7833b6", "54e57fa584d197a9")),
    ("triangle", "depth-first", ("1a204fe1644c3f57", "ccf4b13b829095b0", "5013f63580ae365f", "6e223a083090f58b")),
    ("triangle", "prim", ("2c374d7c99cef385", "125461621be13305", "bafd0054f1336407", "6f6ae710d10911cc")),
    ("triangle", "kruskal", ("cf4395d1f542468a", "1852a19cdf9fc911", "8029594f96df32d6", "e2d84d87cbb99903")),
    ("triangle", "wilson", ("8ac063791d44a348", "3a44b15fdf056676", "0ff47266b2a8cfe5", "90a9503f675ed7e7")),
    ("triangle", "aldous-broder", ("2c774bff12ba4bf0", "99d7b94e51d0ff03", "bdb6f90122bd4b02", "2c20847e77fed035")),
    ("triangle", "hunt-and-kill", ("5088133e29ec9948", "b54d5c8c9ea09f86", "6264d9482f01cb2a", "fcf6ea5b5204aadb")),
    ("triangle", "growing-tree", ("837a71197bce164f", "31fa7913bcc41182", "90aa696ae6a09138", "41e634c2b4689469")),
    ("triangle", "growing-tree:random", ("e696d9e0446ca2ac", "b503ad52c257c0d2", "10c90d32a7cd6943", "74dcf53fa7c94a17")),
    ("triangle", "growing-tree:oldest", ("2296aaf78d655896", "2bd8886f269aca1e", "74e24e5ce4f1a0a2", "f7bcf402de6771cb")),
    ("triangle", "growing-tree:mix:0.3", ("b20d0ba0de8764b6", "2f2d248cb5798c53", "b94df107dee0ba9f", "5dad3ea4274f672d")),
    ("triangle-mask", "depth-first", ("70b9cbac74d511a0", "2475ff1918edec17", "d1db409e3b6114c7", "04f4d5e6078a57fc")),
    ("triangle-mask", "prim", ("bf5bd96789f01928", "7a96fe97c06782b7", "e9c5f3deba8219f5", "0548ec07599f3d87")),
    ("triangle-mask", "kruskal", ("c244b7af66322a90", "5f5f5e145843c94b", "0d81846f82bc73df", "0356177bc8e50969")),
    ("triangle-mask", "wilson", ("7ab5bb9865952e64", "004805db49219246", "9eced236bd5b71ff", "43b94401511719e0")),
    ("triangle-mask", "aldous-broder", ("dc1c93dee4bcaba6", "694d148ce8971913", "c37d64dd7e5b6a89", "007cff5f4f39614b")),
    ("triangle-mask", "hunt-and-kill", ("dc3fd03a74cd9421", "a8c52cf7a7fcb1a2", "673a0b6ef52d5833", "7b6e01152a4790f4")),
    ("triangle-mask", "growing-tree", ("a21f822eb40880e7", "1bf92c63a87941d6", "38a77cf583d365c7", "ed1131587faee869")),
    ("triangle-mask", "growing-tree:random", ("bcad0a8ea0ef2170", "c3a682f6ba74a26e", "d36376e581b41791", "dde6f78d50e42431")),
    ("triangle-mask", "growing-tree:oldest", ("8ce4a4410a2b93c1", "1f158b8ad1b8d6f1", "65ed2ee18814e5fd", "24e6563437161cea")),
    ("triangle-mask", "growing-tree:mix:0.3", ("ea05acef3dbe7d82", "ed26b19e4ab337b5", "a670363cdb0538f2", "66efd53356c843dc")),
    ("polar", "depth-first", ("acb4aa4ce805556e", "bfcde4b9874558e9", "587dd5009a35bf19", "3b99d912c9a2149a")),
    ("polar", "prim", ("b59e4e260de8fa7d", "2f582dd26a2fc684", "99aeec99b7ebc65b", "15e3ac773f9030d7")),
    ("polar", "kruskal", ("64a81b9071e4e134", "e8f49dc7824c9096", "61b85c49c1d54ae8", "8e765425d5212fba")),
    ("polar", "wilson", ("1203dfb554e79e10", "feea2676d8572ec9", "444f737cce8e718a", "aee7357fbfc444b0")),
    ("polar", "aldous-broder", ("cbbb664e4cf782c2", "62bbe68bd79d68ca", "a1bede6eded60d9a", "6c5fdc5fe2234284")),
    ("polar", "hunt-and-kill", ("2d46237baddd2002", "ea98415a4cfd86ea", "3fa710b195f9a5f4", "8f358aa2a3fe5eb2")),
    ("polar", "growing-tree", ("3249c61e7641c035", "c605beb46d0110f0", "bf04099a9ecfce8c", "172879b1db1c9e2a")),
    ("polar", "growing-tree:random", ("bbbb031b5b6c1bc9", "0eef719e5109915d", "e37dc9fe7d10e80c", "5db285ba87292e54")),
    ("polar", "growing-tree:oldest", ("f5f20a955fce902d", "6c7d2f5baae86a9f", "594311f7063b7163", "383a6309e32dd42c")),
    ("polar", "growing-tree:mix:0.3", ("696039ffe7fc1700", "34f81c4387b3f08e", "5bcc6145dea39292", "45ff3f0a383a98f4")),
]


class SeedHashTest(ToolCase):

    def test_every_shape_method_braid_and_exits_keeps_its_maze(self):
        with open(os.path.join(self.dir, "mask.txt"), "w", encoding="ascii") as mask:
            mask.write(MASK)
        for shape, method, digests in PINNED:
            name, _, pick = method.partition(":")
            for (braid, exits), digest in zip(BRAID_AND_EXITS, digests, strict=True):
                args = [*SHAPES[shape], "--algorithm", name, "--braid", braid, *exits]
                args += ["--pick", pick] if pick else []
                with self.subTest(shape=shape, method=method, braid=braid, exits=exits):
                    maze = self.ok("generate", *args, "--seed", "2026", "-q")
                    self.assertEqual(hashlib.sha256(maze).hexdigest()[:16], digest)


if __name__ == "__main__":
    unittest.main()
