; a " ; b c = 1 ; d ; Link to topic:   x If
