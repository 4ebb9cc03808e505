# The game's generated assets, one gladewarden_asset() line per generator.

# Sounds: the ten recordings of the sound bank.

# Pictures: icon, moon, donate codes and their labels.

