# Installation and packaging rules are added here.
