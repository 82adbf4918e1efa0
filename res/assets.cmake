# id     generator        plain file
# (the built-in backdrop, the species skins, the food picture, the bubble sprite and the
#  ambient sound each join this list when their generator lands)
quelmarine_asset(154 backdrop BackGround0.bmp)
quelmarine_asset(166 bubble Particle1.bmp)
quelmarine_asset(227 ambientwater Music.wav)
quelmarine_asset(10017 foodskin fish17.bmp)
quelmarine_asset(10000 fishskin0 fish0.bmp)
quelmarine_asset(10001 fishskin1 fish1.bmp)
quelmarine_asset(10002 fishskin2 fish2.bmp)
quelmarine_asset(10003 fishskin3 fish3.bmp)
quelmarine_asset(10004 fishskin4 fish4.bmp)
