<!-- Shiro's crest in the information strip: a full moon with a rabbit's ears over the shop's name.
     Drawn into info_area.svg.in in place of its crest. -->
<defs>
    <radialGradient id="moonglow" cx="70" cy="60" r="70" gradientUnits="userSpaceOnUse">
      <stop offset="0" stop-color="#ffd874" stop-opacity="0.28"/>
      <stop offset="1" stop-color="#ffd874" stop-opacity="0"/>
    </radialGradient>
</defs>
  <circle cx="70" cy="60" r="70" fill="url(#moonglow)"/>
  <circle cx="70" cy="50" r="26" fill="#fff4d2" opacity="0.9"/>
  <circle cx="70" cy="50" r="26" fill="none" stroke="#ffd874" stroke-width="2"/>
  <path d="M62 52 C56 38 56 28 60 24 C64 28 66 40 66 50 Z M74 50 C74 40 78 28 82 26 C85 32 82 42 78 52 Z"
        fill="#8f8ccf" opacity="0.75"/>
  <ellipse cx="70" cy="60" rx="11" ry="8" fill="#8f8ccf" opacity="0.75"/>
  <text x="70" y="104" font-family="${FONT}" font-size="${SIGNSIZE}" text-anchor="middle" fill="#ffd874"
        stroke="#0b0a2a" stroke-width="3" paint-order="stroke" letter-spacing="${SIGNSPACING}">${SHOP}</text>
